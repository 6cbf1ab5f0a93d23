#pragma once
// Typed settings of the open data set, kept in its database:
//   ACCREG              text-coded values by group and code (SettingValue.h
//                       gives the seven type names and their text forms)
//   ACCREG_BLOB_BINARY  images ("画像", "BMP", "JPG") and memo texts ("メモ")
//                       by group and key
// A setting read before it was ever written is inserted with the caller's
// default on that first read.
//
// Every routine runs in IBTransactionDAT: it starts the transaction only when
// it is not active, commits only what it started, and on an exception rolls
// back only what it started and lets the exception reach the caller (which
// reports it). Groups, codes and values are always bound as parameters.
#include <cstdint>
#include <string>

#include "foundation/accounting/Currency.h"
#include "foundation/data/SettingValue.h"

namespace vq {

// Reads one setting into value, converted by typeName.
void GetAccReg(const std::string& group, const std::string& code, const std::string& typeName,
               const std::string& defaultText, SettingValue& value);
// Writes one setting in the form of typeName (the stored type of an existing
// row stays; a type name outside the seven writes a null text).
void PutAccReg(const std::string& group, const std::string& code, const std::string& typeName,
               const SettingValue& value);
// Deletes the row(s) of the key.
void DeleteAccReg(const std::string& group, const std::string& code);

// The same reads with the type named by the function.
std::string GetAccRegText(const std::string& group, const std::string& code, const std::string& defaultText);
bool GetAccRegBool(const std::string& group, const std::string& code, const std::string& defaultText);
std::int32_t GetAccRegInt(const std::string& group, const std::string& code, const std::string& defaultText);
Currency GetAccRegCurrency(const std::string& group, const std::string& code, const std::string& defaultText);
double GetAccRegReal(const std::string& group, const std::string& code, const std::string& defaultText);
double GetAccRegDate(const std::string& group, const std::string& code, const std::string& defaultText);
double GetAccRegDateTime(const std::string& group, const std::string& code, const std::string& defaultText);

// Reads one ACCREG_BLOB_BINARY row; the stored type decides: an image is
// saved as a temporary file whose path becomes value, a memo's lines become
// the text (CR LF after each line). No row, or another type: value stays.
// typeName is not used.
void GetAccRegBlob(const std::string& group, const std::string& key, const std::string& typeName,
                   SettingValue& value);
// Writes one row: for an image type value is the path of the image file
// (a file that cannot be read throws), for "メモ" the text; any other type
// writes a null value.
void PutAccRegBlob(const std::string& group, const std::string& key, const std::string& typeName,
                   const SettingValue& value);

// Removes the temporary image files that GetAccRegBlob made so far. The data
// module calls it when it goes away.
void ReleaseAccRegImageFiles();

} // namespace vq
