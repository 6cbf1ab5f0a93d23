#pragma once
// Consolidated data (kind 1 合算データ, 2 合算本支店データ) and its
// distributed-input children (kind 10 分散データ): each child is a data set
// of its own in a sub-folder of the parent's folder, with a child row in the
// data list. This control lists a parent's children and makes a new child
// from a copy of the parent's database, emptied of journals and balances.
//
// A new child is built in a hidden folder beside its final place and renamed
// into place only when its database is copied and emptied, so a failure
// leaves neither a folder nor a row behind; the parent's database is copied
// only while nobody has it attached.
//
// Consolidation exists only in stand-alone mode. Its setting is two integer
// settings of the data set's database, group "基本設定": "合算データ区分"
// (the kind) and "合算データ数" (the number of children, 0 for kinds 0, 10).
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "datasets/DataListRec.h"
#include "datasets/DataSentakuListCtl.h"

namespace vq {

struct TGassanDataRec {
    std::int32_t Rec = 0;
    std::int32_t Reserved = 0;
    std::string Folder;
    std::int32_t BySiten = 0;       // 1: one child per branch code
    std::int32_t ExpectedCount = 0; // 合算データ数
};

struct TGassanChildDataRec {
    std::int32_t ParentRec = 0;
    std::int32_t ChildNo = 0;
    std::string SCode;              // branch code; empty for numbered children
    std::string Folder;             // parent folder / child folder name
};
using TGassanChildDataArray = std::vector<TGassanChildDataRec>;

inline constexpr const char* GassanGroup = "基本設定";
inline constexpr const char* GassanKindKey = "合算データ区分";
inline constexpr const char* GassanCountKey = "合算データ数";

class TGassanDataCtl {
public:
    TGassanDataCtl();

    bool Active = false;
    std::string DataPath;           // the consolidated data set's folder
    std::int32_t DataRec = 0;
    TGassanDataRec GassanRec;
    TGassanChildDataArray ExpectedChildren;
    TGassanChildDataArray Children;
    TDataSentakuListCtl Store;
    // The row written for the child made last.
    TDataListRec ChildRow;

    void SetDataPath(const std::string& folder);
    void SetDataRec(std::int32_t rec);
    void SetActive(bool active);
    void LoadChildren();

    // Makes the next child (numbered; or the branch code's child): True when
    // its folder holds the emptied copy and its child row is written.
    bool AddChild(const std::string& code);

    std::int32_t IndexOfChildFolder(const std::string& folder) const;
    std::int32_t NextChildNo(std::int32_t step) const;
    // "%.3d" of the highest numeric sub-folder name plus step; from 1000 on
    // the name is empty and "作成できるフォルダ名は[999]までです。" is thrown.
    static void NextChildFolderName(const std::string& folder, std::int32_t step, std::string& name);

    // Turns the database in folder into an empty distributed-input data set:
    // audit dates, balances and journals cleared, generators at 0, kind 10
    // with count 0. Reports and rethrows a failure, after rolling back.
    static void AccDataSyokika(const std::string& folder, const std::string& code);

private:
    void loadBranchChildren();
};

// Writes the consolidation setting into the data set in folder (count 0 for
// kinds 0 and 10); False after a reported failure. The data set is closed
// again, marked free.
bool WriteGassanSetting(const std::string& folder, std::int32_t kind, std::int32_t count);

// The setting a paste or restore writes into the target, by connection mode,
// source kind and target kind (count: the target parent's child count);
// nothing when the table says nothing.
std::optional<std::pair<std::int32_t, std::int32_t>> AdjustedGassanSetting(int connectMode, int sourceKind,
                                                                         int targetKind, std::int32_t count);

// [F3] "分散追加" on a consolidated parent: asks, adds one child and raises
// 合算データ数 only when the child was made; the parent's children are read
// again. False when nothing was added.
bool AddBunsanData(TDataSentakuRec& parent, const std::string& localFolder, TGassanDataCtl& ctl);

} // namespace vq
