// The windows' controls as their layout tables give them: the one literal table that the
// window layer's description and the faces' controls are checked against.
#pragma once

#include <vector>

namespace layout {

enum class Colour { WindowText, Blue, Red, Teal, Black };

// One control; `parent` is "ClientArea" for the window's own area. `style`: b bold, i italic.
struct Row {
    const char* name;
    const char* parent;
    int left, top, width, height;
    const char* text;
    int pixels;
    const char* style;
    Colour colour;
};

// The input, work category, result area and the two buttons at the bottom: the same in both
// windows.
inline const std::vector<Row>& SharedRows() {
    using C = Colour;
    static const std::vector<Row> rows = {
        {"Edit1", "ClientArea", 8, 32, 169, 27, "0", 19, "b", C::WindowText},
        {"Label6", "ClientArea", 184, 40, 32, 16, "万円", 16, "", C::WindowText},
        {"RadioGroup1", "ClientArea", 224, 8, 273, 57, "工事種類", 16, "", C::Blue},
        {"rb1", "ClientArea", 240, 32, 89, 17, "道路維持", 16, "", C::WindowText},
        {"rb2", "ClientArea", 352, 32, 57, 17, "新営", 16, "", C::WindowText},
        {"rb3", "ClientArea", 432, 32, 57, 17, "改修", 16, "", C::WindowText},
        {"SText12", "ClientArea", 8, 104, 80, 17, "0", 16, "", C::WindowText},
        {"Label23", "ClientArea", 8, 88, 95, 16, "工事費 (概算)", 16, "", C::Red},
        {"Label24", "ClientArea", 88, 104, 26, 13, "万円", 13, "", C::WindowText},
        {"SText13", "ClientArea", 160, 104, 80, 17, "0", 16, "", C::WindowText},
        {"Label25", "ClientArea", 160, 88, 64, 16, "共通費計", 16, "", C::Black},
        {"Label26", "ClientArea", 240, 104, 26, 13, "万円", 13, "", C::WindowText},
        {"SText6", "ClientArea", 8, 168, 80, 17, "0", 16, "", C::WindowText},
        {"Label2", "ClientArea", 8, 152, 64, 16, "工事価格", 16, "", C::WindowText},
        {"Label21", "ClientArea", 88, 168, 26, 13, "万円", 13, "", C::WindowText},
        {"SText7", "ClientArea", 160, 168, 80, 17, "0", 16, "", C::WindowText},
        {"Label3", "ClientArea", 160, 152, 48, 16, "消費税", 16, "", C::WindowText},
        {"Label22", "ClientArea", 240, 168, 26, 13, "万円", 13, "", C::WindowText},
        {"Label7", "ClientArea", 280, 152, 22, 13, "５％", 13, "", C::WindowText},
        {"SText9", "ClientArea", 8, 232, 80, 17, "0", 16, "", C::WindowText},
        {"Label4", "ClientArea", 8, 216, 64, 16, "工事原価", 16, "", C::WindowText},
        {"Label19", "ClientArea", 88, 232, 26, 13, "万円", 13, "", C::WindowText},
        {"SText3", "ClientArea", 160, 232, 80, 17, "0", 16, "", C::WindowText},
        {"Label5", "ClientArea", 160, 216, 80, 16, "一般管理費", 16, "", C::WindowText},
        {"Label20", "ClientArea", 240, 232, 26, 13, "万円", 13, "", C::WindowText},
        {"Label8", "ClientArea", 290, 216, 13, 13, "％", 13, "", C::WindowText},
        {"SText10", "ClientArea", 8, 296, 80, 17, "0", 16, "", C::WindowText},
        {"Label9", "ClientArea", 8, 280, 64, 16, "純工事費", 16, "", C::WindowText},
        {"Label17", "ClientArea", 88, 296, 26, 13, "万円", 13, "", C::WindowText},
        {"SText2", "ClientArea", 160, 296, 80, 17, "0", 16, "", C::WindowText},
        {"Label10", "ClientArea", 160, 280, 80, 16, "現場管理費", 16, "", C::WindowText},
        {"Label18", "ClientArea", 240, 296, 26, 13, "万円", 13, "", C::WindowText},
        {"Label11", "ClientArea", 290, 280, 13, 13, "％", 13, "", C::WindowText},
        {"SText4", "ClientArea", 8, 360, 80, 17, "0", 16, "b", C::WindowText},
        {"Label12", "ClientArea", 8, 344, 80, 16, "直接工事費", 16, "", C::Red},
        {"Label15", "ClientArea", 88, 360, 26, 13, "万円", 13, "", C::WindowText},
        {"SText1", "ClientArea", 160, 360, 80, 17, "0", 16, "", C::WindowText},
        {"Label13", "ClientArea", 160, 344, 80, 16, "共通仮設費", 16, "", C::WindowText},
        {"Label16", "ClientArea", 240, 360, 26, 13, "万円", 13, "", C::WindowText},
        {"Label14", "ClientArea", 290, 344, 13, 13, "％", 13, "", C::WindowText},
        {"Button2", "ClientArea", 8, 408, 105, 41, "クリア", 16, "", C::WindowText},
        {"Button1", "ClientArea", 128, 408, 249, 41, "計　        　算", 16, "", C::WindowText},
    };
    return rows;
}

// The main window's own.
inline const std::vector<Row>& MainRows() {
    using C = Colour;
    static const std::vector<Row> rows = {
        {"Label1", "ClientArea", 8, 8, 127, 16, "希望工事費 (税込)", 16, "", C::Blue},
        {"SText8", "ClientArea", 240, 216, 50, 17, "0", 16, "", C::WindowText},
        {"SText11", "ClientArea", 240, 280, 50, 17, "0", 16, "", C::WindowText},
        {"SText5", "ClientArea", 240, 344, 50, 17, "0", 16, "", C::WindowText},
        {"GroupBox1", "ClientArea", 328, 88, 169, 249, "経費設定", 16, "", C::Blue},
        {"CheckBox1", "GroupBox1", 8, 48, 153, 17, "直工だけに含まない金額", 12, "", C::Black},
        {"Edit2", "GroupBox1", 48, 72, 73, 24, "0", 16, "b", C::Black},
        {"Label27", "GroupBox1", 120, 80, 26, 13, "万円", 13, "", C::Black},
        {"CheckBox2", "GroupBox1", 8, 120, 153, 17, "全経費を掛けない金額", 12, "", C::Black},
        {"Edit3", "GroupBox1", 48, 144, 73, 24, "0", 16, "b", C::Black},
        {"Label28", "GroupBox1", 120, 152, 26, 13, "万円", 13, "", C::Black},
        {"CheckBox3", "GroupBox1", 8, 192, 137, 17, "共通仮設費をみない", 12, "", C::Black},
        {"Label29", "ClientArea", 80, 392, 343, 12,
         "Zanvoro！Pro　　for  Zanvoro 開発チーム    Ver  H15.5 ", 12, "i", C::Teal},
        {"BitBtn1", "ClientArea", 392, 408, 105, 41, "終了(&C)", 16, "", C::WindowText},
    };
    return rows;
}

// The calculator window's own.
inline const std::vector<Row>& CalculatorRows() {
    using C = Colour;
    static const std::vector<Row> rows = {
        {"Label1", "ClientArea", 8, 8, 112, 16, "希望直接工事費", 16, "", C::Blue},
        {"Edit4", "ClientArea", 240, 212, 50, 20, "0", 16, "", C::WindowText},
        {"Edit5", "ClientArea", 240, 276, 50, 20, "0", 16, "", C::WindowText},
        {"Edit6", "ClientArea", 240, 340, 50, 20, "0", 16, "", C::WindowText},
        {"GroupBox1", "ClientArea", 328, 88, 169, 289, "経費設定", 16, "", C::Blue},
        {"CheckBox1", "GroupBox1", 8, 32, 153, 17, "直工だけに含まない金額", 12, "", C::Black},
        {"Edit2", "GroupBox1", 48, 48, 73, 24, "0", 16, "b", C::Black},
        {"Label27", "GroupBox1", 120, 56, 26, 13, "万円", 13, "", C::Black},
        {"CheckBox2", "GroupBox1", 8, 96, 153, 17, "全経費を掛けない金額", 12, "", C::Black},
        {"Edit3", "GroupBox1", 48, 112, 73, 24, "0", 16, "b", C::Black},
        {"Label28", "GroupBox1", 120, 120, 26, 13, "万円", 13, "", C::Black},
        {"CheckBox3", "GroupBox1", 8, 160, 137, 17, "共通仮設費をみない", 12, "", C::Black},
        {"RadioButton1", "GroupBox1", 8, 216, 113, 17, "経費率　自動入力", 12, "", C::Black},
        {"RadioButton2", "GroupBox1", 8, 264, 113, 17, "経費率　手動入力", 12, "", C::Black},
        {"Label29", "ClientArea", 88, 392, 326, 12,
         "Pelmaro！　　for  Zanvoro 開発チーム    Ver  H15.5 ", 12, "i", C::Teal},
        {"OKButton", "ClientArea", 391, 404, 106, 45, "閉じる", 16, "", C::WindowText},
    };
    return rows;
}

// The About box's.
inline const std::vector<Row>& AboutRows() {
    using C = Colour;
    static const std::vector<Row> rows = {
        {"Panel1", "ClientArea", 8, 8, 281, 161, "", 12, "", C::WindowText},
        {"ProgramIcon", "Panel1", 24, 16, 32, 32, "", 12, "", C::WindowText},
        {"ProductName", "Panel1", 88, 16, 108, 12, "Zanvoro! Pro", 12, "", C::WindowText},
        {"Version", "Panel1", 96, 32, 71, 12, "Version H15.5", 12, "", C::WindowText},
        {"Label1", "Panel1", 96, 56, 93, 19, "悪用厳禁 !", 19, "b", C::Red},
        {"Copyright", "Panel1", 8, 80, 235, 12, "Copyright (C) 2003  Zanvoro 開発チーム", 12, "",
         C::WindowText},
        {"Label3", "Panel1", 80, 96, 113, 12, "ご意見・ご要望は開発チームまで", 12, "", C::WindowText},
        {"Label2", "Panel1", 80, 136, 116, 12, "zanvoro.example", 12, "", C::WindowText},
        {"OKButton", "ClientArea", 111, 180, 75, 25, "OK", 12, "", C::WindowText},
    };
    return rows;
}

// Where Tab takes the focus in the main window as it starts, from 計算 round to it again:
// the disabled edits of the expenses skipped.
inline const std::vector<const char*>& MainTabWalk() {
    static const std::vector<const char*> walk = {"Button1",   "Edit1",     "rb1",
                                                  "BitBtn1",   "Button2",   "CheckBox1",
                                                  "CheckBox2", "CheckBox3", "Button1"};
    return walk;
}

}  // namespace layout
