#pragma once
// May the logged-on operator use the data set in a folder: yes when the
// folder holds no data set yet or no facility restriction applies to the
// operator; otherwise only when the operator has facilities to work in and
// may use every facility of the data set. A refusal is shown to the
// operator. The data-set description's permission check calls this.
#include <functional>
#include <string>

namespace vq {

// fileExists tests the data set's database file as the caller's location
// requires; empty: the local file system. The data set is connected for the
// question and closed afterwards.
bool IsDataSiyouKengen(const std::string& folder,
                       const std::function<bool(const std::string& path)>& fileExists = {});

inline constexpr const char* DataSiyouKengenRefusal =
    "このデータを扱う権限がありません、他のデータを選択して下さい。\r"
    "権限を付与するには管理者でログインし、「オペレータ登録」より[選択中のデータを処理します]にチェックを入れて下さい。";

} // namespace vq
