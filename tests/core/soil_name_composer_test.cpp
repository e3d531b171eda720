#include "soil/soil_name_composer.h"

#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "platform/message_service.h"
#include "platform/string_table.h"

namespace vosk {
namespace {

SoilListItem Item(const char* nameUtf8, const char* symbol, const char* code, int group = 1) {
    SoilNameEntry e;
    e.group = group;
    e.name = Cp932Literal(nameUtf8);
    e.symbol = symbol;
    e.codeText = code;
    e.code = std::atol(code);
    SoilNameList table;
    table.entries.push_back(e);
    SoilNameLists lists = FillSoilNameLists(table);
    for (const auto& list : lists.items)
        if (!list.empty()) return list[0];
    return {};
}

std::string Utf8(const FieldText& t) { return Cp932ToUtf8(t); }

TEST(SoilNameLists, RouteByGroupAndCode) {
    SoilNameList table;
    auto add = [&](int group, long code, const char* name) {
        SoilNameEntry e;
        e.group = group;
        e.code = code;
        e.codeText = std::to_string(code);
        e.name = name;
        table.entries.push_back(e);
    };
    add(1, 10001, "whole");
    add(1, 5100, "base");
    add(1, 99, "unlisted");
    add(1, -1, "no code");
    add(2, 10, "aux");
    add(3, 1, "word");
    add(3, -1, "skipped");
    SoilNameLists lists = FillSoilNameLists(table);
    EXPECT_EQ(lists[SoilList::Whole].size(), 1u);
    ASSERT_EQ(lists[SoilList::Alternation].size(), 1u);
    EXPECT_EQ(lists[SoilList::Alternation][0].name, "base");
    EXPECT_EQ(lists[SoilList::Auxiliary].size(), 1u);
    EXPECT_EQ(lists[SoilList::Appended].size(), 1u);
    // Names and symbols are cut to 32 and 8 bytes without splitting a character.
    SoilListItem long_ = Item("あいうえおかきくけこさしすせそたち", "ABCDEFGHIJ", "10000");
    EXPECT_EQ(long_.name.size(), 32u);
    EXPECT_EQ(long_.symbol, "ABCDEFGH");
}

TEST(PickSoilName, OrdinaryAlternationPickKeepsTheFraction) {
    AlternationState state;
    SoilGroup g;
    PickSoilName(SoilList::Alternation, &(const SoilListItem&)Item("有機質細砂", "Os", "5100.5"), 1, g, state);
    EXPECT_EQ(g.pattern, "5100.5");
    EXPECT_EQ(Utf8(g.name), "有機質細砂");
    EXPECT_EQ(g.symbol, "Os");
    SoilGroup h;
    PickSoilName(SoilList::Alternation, &(const SoilListItem&)Item("砂", "S", "5100"), 1, h, state);
    EXPECT_EQ(h.pattern, "5100");
}

TEST(PickSoilName, TwoPicksMakeAnAlternation) {
    AlternationState state;
    SoilGroup g;
    g.alternation = true;  // the check box emptied name, symbol and pattern
    SoilListItem sand = Item("砂", "S", "5100"), silt = Item("シルト", "M", "5200"), clay = Item("粘土", "C", "5300");
    PickSoilName(SoilList::Alternation, &sand, 1, g, state);
    EXPECT_EQ(Utf8(g.name), "砂・");
    EXPECT_EQ(g.pattern, "95100");
    PickSoilName(SoilList::Alternation, &silt, 1, g, state);
    EXPECT_EQ(Utf8(g.name), "砂・シルト互層");
    EXPECT_EQ(g.pattern, "95152.0");
    EXPECT_EQ(g.symbol, "S/M");
    SoilGroup before = g;
    PickSoilName(SoilList::Alternation, &clay, 1, g, state);  // a third pick changes nothing
    EXPECT_EQ(g.name, before.name);
    EXPECT_EQ(g.pattern, before.pattern);
    EXPECT_EQ(g.symbol, before.symbol);
}

TEST(PickSoilName, AppendedWordOntoAWholeNameEmptiesTheGroup) {
    AlternationState state;
    SoilGroup g;
    g.name = Cp932Literal("粘土");
    g.pattern = "10100";
    g.symbol = "C";
    SoilListItem word = Item("混じり", "-G", "1", 3);
    PickOutcome o = PickSoilName(SoilList::Appended, &word, 1, g, state);
    EXPECT_TRUE(o.resetFlags);
    EXPECT_EQ(g.name, "");
    EXPECT_EQ(g.pattern, "");
    EXPECT_EQ(g.symbol, "");
    // After a word ending in "り" the next word is appended.
    g.name = Cp932Literal("礫混じり");
    g.pattern = "3";
    g.symbol = "-G";
    PickSoilName(SoilList::Appended, &word, 1, g, state);
    EXPECT_EQ(Utf8(g.name), "礫混じり混じり");
    EXPECT_EQ(g.pattern, "4");
    EXPECT_EQ(g.symbol, "-G-G");
}

TEST(PickSoilName, WholeNamesAreRefusedInAnAlternation) {
    MessageRecorder messages;
    AlternationState state;
    SoilGroup g;
    g.alternation = true;
    g.name = "x";
    g.percentage = "40";
    SoilListItem whole = Item("盛土", "B", "10001");
    PickOutcome o = PickSoilName(SoilList::Whole, &whole, 1, g, state);
    EXPECT_TRUE(o.refusedInAlternation);
    EXPECT_EQ(messages.texts, std::vector<std::string>{std::string(MessageText(4011))});
    EXPECT_EQ(g.name, "");
    EXPECT_EQ(g.percentage, "");
    // Group 2 keeps its second symbol for a whole name, takes it for an auxiliary one.
    SoilGroup aux;
    aux.symbol = "keep";
    PickSoilName(SoilList::Whole, &whole, 2, aux, state);
    EXPECT_EQ(aux.symbol, "keep");
    EXPECT_EQ(aux.pattern, "10001");
    PickSoilName(SoilList::Auxiliary, &whole, 2, aux, state);
    EXPECT_EQ(aux.symbol, "B");
}

}  // namespace
}  // namespace vosk
