#pragma once
// Save places under user-account control: while the switch "EnableLUA" of the
// registry store reads as the integer 1, nothing is saved into the root of
// the system drive; the operator is offered the documents folder instead.
// Every question and file dialog goes through the interaction seam.
#include <string>

#include "platform/Interaction.h"

namespace vq {

// The root of the system drive, with its delimiter ("/").
std::string SystemDriveRoot();
// The switch "EnableLUA" of the machine's key
// "SOFTWARE\Microsoft\Windows\CurrentVersion\Policies\System" reads as the integer 1.
bool IsUacSaveRuleOn();

// folder gets a trailing delimiter. With the rule on and folder the system
// drive's root, asks whether to save into the documents folder instead: Yes
// puts the documents folder (without delimiter) into folder and returns
// True, No returns False. Every other case returns True.
bool CheckSaveFolderUac(std::string& folder);
// CheckSaveFolderUac on the folder of fileName; when True, fileName is
// rebuilt from the (possibly replaced) folder and the file's name. A name
// without a folder is left as it is.
bool CheckSaveFileUac(std::string& fileName);

// Runs the open or save dialog; False when cancelled. With the rule on and
// the chosen file in the system drive's root, asks: No opens the dialog
// again, Yes moves the file name into the documents folder.
bool ExecuteSaveDialogUac(const platform::FileDialogRequest& dialog, std::string& fileName);

// The folder dialog titled caption (default "フォルダを選択して下さい")
// starting at folder. False when cancelled. A chosen path longer than 255
// bytes is put into folder, shown as an error and gives False. Unless
// skipUacCheck, the system-drive-root question applies as in
// ExecuteSaveDialogUac. True with the chosen folder in folder.
bool SelectSaveFolder(const std::string& caption, std::string& folder, bool skipUacCheck = false);

// Asks for the name of a computer (title caption, default
// "コンピュータを選択して下さい"), starting with name; False when cancelled.
bool SelectComputer(const std::string& caption, std::string& name);

} // namespace vq
