// The words the calculator shows and reads: window captions, batch table captions, the
// command's help. One spelling each, so a table pasted from a window reads back.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "model/costmodel.h"

namespace costmodel::captions {

inline constexpr std::string_view kTarget = "希望工事費 (税込)";  // the main window's amount
inline constexpr std::string_view kDirectTarget = "希望直接工事費";  // the calculator's
inline constexpr std::string_view kWork = "工事種類";
inline constexpr std::string_view kExpenses = "経費設定";
inline constexpr std::string_view kExtraInNet = "直工だけに含まない金額";
inline constexpr std::string_view kExtraNoOverhead = "全経費を掛けない金額";
inline constexpr std::string_view kNoCommonTemp = "共通仮設費をみない";
inline constexpr std::string_view kYen = "万円";
inline constexpr std::string_view kPercent = "％";
inline constexpr std::string_view kResult = "結果";  // a batch row's message

struct WorkName {
    std::string_view name;
    WorkType work;
};
// In the order of the windows' buttons rb1, rb2, rb3.
inline constexpr std::array<WorkName, 3> kWorkNames = {{
    {"道路維持", WorkType::RoadMaintenance},
    {"新営", WorkType::NewBuilding},
    {"改修", WorkType::Renovation},
}};

constexpr std::string_view NameOf(WorkType work) {
    for (const WorkName& w : kWorkNames)
        if (w.work == work) return w.name;
    return {};
}

constexpr std::optional<WorkType> WorkNamed(std::string_view name) {
    for (const WorkName& w : kWorkNames)
        if (w.name == name) return w.work;
    return std::nullopt;
}

// The thirteen figures in build-up order (FormatResults' order); a rate is its amount's
// caption with 率.
inline constexpr std::array<std::string_view, 13> kFigures = {
    "直接工事費", "共通仮設費", "共通仮設費率", "純工事費", "現場管理費",
    "現場管理費率", "工事原価", "一般管理費", "一般管理費率", "工事価格",
    "消費税", "工事費 (概算)", "共通費計"};
// The rates' places among them.
inline constexpr std::size_t kCommonTempRateFigure = 2;
inline constexpr std::size_t kSiteMgmtRateFigure = 5;
inline constexpr std::size_t kGeneralMgmtRateFigure = 8;

}  // namespace costmodel::captions
