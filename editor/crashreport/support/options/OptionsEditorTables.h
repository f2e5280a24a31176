#pragma once
// The tables an options editor shows beside the customisable texts: the
// texts grouped for editing, the captions of the report fields that can be
// shown or hidden, and the variables a text may hold. Nothing reads them
// while the program runs; they are part of the component's data all the
// same.
#include <array>
#include <string_view>

#include "editor/crashreport/support/options/OptionTypes.h"
#include "editor/crashreport/support/texts/MessageTypes.h"

// One row of the texts' editing list: a group title (Id -1) or the caption
// of one text id.
struct TMsgsRecord {
    std::string_view Caption;
    int Id;
};

// 14 group titles, each followed by the texts of its group; every text id
// appears once.
constexpr int MsgsRecordCount = MessageTypeCount + 14;
extern const std::array<TMsgsRecord, MsgsRecordCount> EMsgs;

// "Group|Label" of each TShowOption value, in the values' order.
extern const std::array<std::string_view, ShowOptionCount> EShowOptions;

// "Name | description" of each variable a text may hold: the component's
// own (filled when a report is made) and then the environment's.
constexpr int VariablesOptionCount = 26;
extern const std::array<std::string_view, VariablesOptionCount> EVariablesOptions;
