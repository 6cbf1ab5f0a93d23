#pragma once
// File and folder operations by connection mode: mode 0 acts on this
// computer's file system; modes 1 and 2 address the database server's
// machine, whose data sets a client only reaches through the system
// database's server procedures. Every operation answers False for a mode it
// cannot serve (any other mode, and the server modes while no data module
// has installed its server file operation), so a caller treats it as a
// missing file or a failed step.
#include <cstdint>
#include <functional>
#include <string>

namespace vq {

// Runs one server file operation ("FEXIST", "FCOPY", "FDEL", "DEXIST",
// "MKDIR", "RMDIR"); the data module installs it. Returns the previous one.
using ServerFileOperationFunc =
    std::function<bool(const std::string& op, const std::string& path1, const std::string& path2)>;
ServerFileOperationFunc InstallServerFileOperation(ServerFileOperationFunc operation);

bool FileOpDExist(const std::string& path, std::uint8_t mode);
// Creates the folder with its missing parents; a bare drive is never created.
bool FileOpMkDir(const std::string& path, std::uint8_t mode);
// Removes the folder with its contents (into the trash when allowUndo);
// roots and the system folder are refused with a message.
bool FileOpRmDir(const std::string& path, std::uint8_t mode, bool allowUndo);
bool FileOpFExist(const std::string& path, std::uint8_t mode);
bool FileOpFDel(const std::string& path, std::uint8_t mode, bool allowUndo);
// A rename only: a move onto another file system fails.
bool FileOpFMove(const std::string& source, const std::string& target, std::uint8_t mode);
// The guarded copy (target replaced, missing folders made).
bool FileOpFCopy(const std::string& source, const std::string& target, std::uint8_t mode);

} // namespace vq
