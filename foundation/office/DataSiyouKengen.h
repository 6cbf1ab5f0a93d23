#pragma once
// May the logged-on operator use the data set in a folder: yes when the
// folder holds no data set yet or no facility restriction applies to the
// operator; otherwise only when the operator has facilities to work in and
// may use every facility of the data set. A refusal is shown to the
// operator. TDataInfomation's permission check calls this with the file
// test of its location.
#include <functional>
#include <string>

#include "platform/Interaction.h"

namespace vq {

// fileExists tests the data set's database file as the caller's location
// requires; empty: the local file system. The data set is connected for the
// question and closed afterwards. refusal, when given, is the record the
// refusal is prepared in and shown from; it keeps what was shown.
bool IsDataSiyouKengen(const std::string& folder,
                       const std::function<bool(const std::string& path)>& fileExists = {},
                       platform::MessageRequest* refusal = nullptr);

inline constexpr const char* DataSiyouKengenRefusal =
    "このデータを扱う権限がありません、他のデータを選択して下さい。\r"
    "権限を付与するには管理者でログインし、「オペレータ登録」より[選択中のデータを処理します]にチェックを入れて下さい。";

} // namespace vq
