// Chinese text: GB2312/Big5 conversion, pinyin initials and stroke counts.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "tests/marlune/text/text_fixture.h"

namespace foxhost {
namespace {

using ChineseTest = TextTest;

// Every character of GB2312 level 1 (B0A1 to D7F9, in pinyin order) or of
// levels 1 and 2 (to F7FE).
std::vector<std::string> Gb2312Characters(unsigned char last_row) {
  std::vector<std::string> characters;
  for (unsigned row = 0xB0; row <= last_row; ++row)
    for (unsigned cell = 0xA1; cell <= 0xFE; ++cell)
      if (!(row == 0xD7 && cell >= 0xFA))
        characters.push_back({static_cast<char>(row), static_cast<char>(cell)});
  return characters;
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

TEST_F(ChineseTest, EmptyTextGivesEmptyText) {
  for (const char* function : {"XTBig5ToGb2312", "XTGb2312ToBig5", "XTCnCharToSpell", "XTCnCharToStroke"})
    EXPECT_EQ(host.Call(function, {C("")}), C("")) << function;
}

TEST_F(ChineseTest, ConvertsCommonWordsBothWays) {
  struct Row {
    const char* traditional;
    const char* simplified;
  };
  const Row rows[] = {
      {"發財", "发财"}, {"中國", "中国"}, {"電腦", "电脑"}, {"學習", "学习"},
      {"愛情", "爱情"}, {"圖書館", "图书馆"}, {"ABC 123 發", "ABC 123 发"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(host.Call("XTBig5ToGb2312", {C(Big5(row.traditional))}), C(Gbk(row.simplified))) << row.traditional;
    EXPECT_EQ(host.Call("XTGb2312ToBig5", {C(Gbk(row.simplified))}), C(Big5(row.traditional))) << row.simplified;
  }
  EXPECT_EQ(host.Call("XTGb2312ToBig5", {C("abc")}), C("abc"));
}

TEST_F(ChineseTest, CharactersBig5LacksBecomeTheDefaultCharacter) {
  // 〇 (A996 in code page 936) has no Big5 code.
  EXPECT_EQ(host.Call("XTGb2312ToBig5", {C(Gbk("一〇二"))}), C(Big5("一") + "?" + Big5("二")));
}

TEST_F(ChineseTest, Gb2312RoundTripsThroughBig5) {
  std::vector<std::string> characters = Gb2312Characters(0xF7);
  ASSERT_EQ(characters.size(), 6763u);
  std::string text;
  for (const std::string& c : characters) text += c + " ";
  FoxValue big5 = host.Call("XTGb2312ToBig5", {C(text)});
  FoxValue back = host.Call("XTBig5ToGb2312", {C(big5.text)});
  std::vector<std::string> returned = Split(back.text);
  ASSERT_EQ(returned.size(), characters.size());
  // What does not come back is a character Big5 lacks ("?") or one of
  // several simplified characters that share one traditional form (沉/沈, 著/着).
  int same = 0, lacking = 0;
  std::string changed;
  for (size_t i = 0; i < characters.size(); ++i) {
    if (returned[i] == characters[i])
      ++same;
    else if (returned[i] == "?")
      ++lacking;
    else
      changed += characters[i] + "->" + returned[i] + " ";
  }
  std::printf("GB2312 round trip through Big5: %d of %zu unchanged (%.2f%%), %d lacking in Big5\n", same,
              characters.size(), 100.0 * same / characters.size(), lacking);
  std::printf("changed to another character (code page 936): %s\n", changed.c_str());
  EXPECT_GT(same, 6400);
  EXPECT_LT(static_cast<int>(characters.size()) - same - lacking, 60);
}

TEST_F(ChineseTest, SpellGivesPinyinInitials) {
  struct Row {
    const char* text;
    const char* initials;
  };
  const Row rows[] = {
      {"阿", "A"}, {"匝", "Z"}, {"廓", "L"}, {"拉", "L"}, {"妈", "M"}, {"八", "B"},
      {"abc", "abc"}, {"a中b文c", "aZbWc"}, {"中华人民共和国", "ZHRMGHG"},
      // GB2312 level 2, in radical order, so its codes say nothing of pinyin
      {"兀", "W"}, {"丐", "G"}, {"丕", "P"}, {"亓", "Q"}, {"鑫", "X"}, {"淼", "M"},
      {"焱", "Y"}, {"琪", "Q"}, {"婷", "T"}, {"璐", "L"}, {"昊", "H"},
      // GBK beyond GB2312
      {"犇", "B"}, {"喆", "Z"}, {"堃", "K"}, {"玥", "Y"}, {"發", "F"},
  };
  for (const Row& row : rows) {
    FoxValue result = host.Call("XTCnCharToSpell", {C(Gbk(row.text))});
    EXPECT_EQ(result, C(row.initials)) << row.text;
  }
}

TEST_F(ChineseTest, SpellLeavesWhatSortsBeforeTheFirstBoundary) {
  // Full-width digits and punctuation are two-byte characters that sort before 阿.
  std::string fullwidth = Gbk("１，");
  EXPECT_EQ(host.Call("XTCnCharToSpell", {C("x" + fullwidth + "y")}), C("x" + fullwidth + "y"));
}

TEST_F(ChineseTest, SpellAgreesWithTheCodeRangesOfLevel1) {
  // Level 1 is in pinyin order: a character's initial is that of the last
  // boundary at or below its code.
  const std::string boundaries = Gbk("阿八擦搭讹发嘎哈讥咖廓妈拿哦趴七然撒他哇夕丫匝");
  const std::string letters = "ABCDEFGHJKLMNOPQRSTWXYZ";
  std::vector<std::string> characters = Gb2312Characters(0xD7);
  ASSERT_EQ(characters.size(), 3755u);
  std::string text;
  for (const std::string& c : characters) text += c;
  std::string initials = host.Call("XTCnCharToSpell", {C(text)}).text;
  ASSERT_EQ(initials.size(), characters.size());
  int agree = 0;
  std::string differ;
  for (size_t i = 0; i < characters.size(); ++i) {
    size_t k = letters.size();
    while (k > 0 && characters[i] < boundaries.substr(2 * (k - 1), 2)) --k;
    char expected = k > 0 ? letters[k - 1] : '?';
    if (initials[i] == expected)
      ++agree;
    else
      differ += characters[i] + ":" + expected + "/" + initials[i] + " ";
  }
  std::printf("level 1: %d of 3755 get the initial of their code range\n", agree);
  std::printf("differ (code page 936, range/collation): %s\n", differ.c_str());
  EXPECT_GT(agree, 3600);
}

TEST_F(ChineseTest, StrokeCountsPerCharacterOrInTotal) {
  EXPECT_EQ(host.Call("XTCnCharToStroke", {C(Gbk("一")), I(1)}), C("01"));
  EXPECT_EQ(host.Call("XTCnCharToStroke", {C(Gbk("一")), I(0)}), C("1"));
  EXPECT_EQ(host.Call("XTCnCharToStroke", {C(Gbk("一"))}), C("1"));
  EXPECT_EQ(host.Call("XTCnCharToStroke", {C("abc")}), C("0"));
  EXPECT_EQ(host.Call("XTCnCharToStroke", {C("abc"), I(1)}), C(""));
  EXPECT_EQ(host.Call("XTCnCharToStroke", {C(Gbk("一")), I(2)}), C(""));
  EXPECT_EQ(host.Call("XTCnCharToStroke", {C(Gbk("a一b二c")), I(1)}), C("0102"));
  EXPECT_EQ(host.Call("XTCnCharToStroke", {C(Gbk("三木十"))}), C("9"));
}

TEST_F(ChineseTest, StrokeCountsFromOneToThirty) {
  // Characters of known total strokes (Unicode's kTotalStrokes) and the count
  // the system's stroke collation gives. Where they differ, the collation
  // places the character or a boundary in another stroke group: 黄 sorts with
  // 12 strokes (its traditional form 黃), 新 after the boundary 僊, and 29
  // strokes fall before the boundary 灩, which the collation counts higher.
  struct Row {
    const char* character;
    int unicode_total;
    int counted;
  };
  const Row rows[] = {
      {"乙", 1, 1},   {"人", 2, 2},   {"山", 3, 3},   {"木", 4, 4},   {"田", 5, 5},   {"竹", 6, 6},
      {"李", 7, 7},   {"林", 8, 8},   {"春", 9, 9},   {"家", 10, 10}, {"黄", 11, 12}, {"黑", 12, 12},
      {"新", 13, 14}, {"鼻", 14, 14}, {"樂", 15, 15}, {"龍", 16, 16}, {"謝", 17, 17}, {"雙", 18, 18},
      {"難", 19, 19}, {"寶", 20, 20}, {"鐵", 21, 21}, {"聽", 22, 22}, {"體", 23, 23}, {"靈", 24, 24},
      {"觀", 25, 25}, {"驢", 26, 26}, {"鑽", 27, 27}, {"鑿", 28, 28}, {"鬱", 29, 28},
  };
  std::string text;
  int total = 0, agree = 0;
  for (const Row& row : rows) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02d", row.counted);
    EXPECT_EQ(host.Call("XTCnCharToStroke", {C(Gbk(row.character)), I(1)}), C(digits)) << row.character;
    agree += row.counted == row.unicode_total;
    text += Gbk(row.character);
    total += row.counted;
  }
  std::printf("stroke counts: %d of %zu agree with Unicode's totals\n", agree, std::size(rows));
  // 龘 (48 strokes) sorts after the last boundary: it counts for nothing.
  EXPECT_EQ(host.Call("XTCnCharToStroke", {C(text + Gbk("龘"))}), C(std::to_string(total)));
  EXPECT_EQ(host.Call("XTCnCharToStroke", {C(Gbk("龘")), I(1)}), C(""));
}

TEST_F(ChineseTest, ResultsAreExactlyTheConvertedCharacters) {
  EXPECT_EQ(host.Call("XTCnCharToSpell", {C("abcdefgh")}), C("abcdefgh"));
  EXPECT_EQ(host.Call("XTCnCharToStroke", {C(Gbk("一二")), I(1)}), C("0102"));
  EXPECT_EQ(host.Call("XTCnCharToSpell", {C(std::string("a\0", 2) + Gbk("中"))}), C("a")) << "the text ends at a NUL";
}

}  // namespace
}  // namespace foxhost
