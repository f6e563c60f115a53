// Every text of the default content, in every edition, measured with its
// font against the panel or card it stands on: window labels after
// localisation, the texts screens put into them (the longest player name,
// the largest counts, trophies, shop notes and prices, pack names), the
// trophy gallery and pop-up, and the tutorial panels. A text must lie inside
// the smallest picture under its anchor (the screen when there is none), and
// no text may be a string key without a string.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "engine/render/KC_TEXTURE.h"
#include "engine/resources/KC_FONT.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/util/KF_SMALL_HELPERS.h"
#include "engine/util/KF_XML.h"
#include "engine/util/KF_UTF8.h"
#include "support/ContentScreenTest.h"

namespace {

constexpr float kSCREEN_W = 1024.0f, kSCREEN_H = 768.0f;
// Panels and cards draw a border this wide inside their picture.
constexpr float kBORDER = 3.0f;
// The longest name the player list takes, in wide letters.
const std::wstring kLONG_NAME(15, L'W');

struct BOX {
    float l = 0, t = 0, r = 0, b = 0;
    float fArea() const { return (r - l) * (b - t); }
    bool fHolds(float x, float y) const { return x >= l && x <= r && y >= t && y <= b; }
    bool fHolds(const BOX& o) const { return o.l >= l && o.r <= r && o.t >= t && o.b <= b; }
};

struct PICTURE {
    BOX box;
    std::string name;
};

struct TEXT {
    std::wstring text;
    KEL::KC_FONT* font = nullptr;
    int32_t anchor = 4;
    float x = 0, y = 0, scale = 1.0f;
    int32_t lineSpace = 0;
    std::string where;
};

// A box of size w x h whose hot spot (0-8) stands at x, y.
BOX fBoxAt(float x, float y, float w, float h, int32_t anchor) {
    const float left = x - (anchor % 3) * w * 0.5f, top = y - (anchor / 3) * h * 0.5f;
    return {left, top, left + w, top + h};
}

std::vector<std::wstring> fLines(const std::wstring& text) {
    std::vector<std::wstring> lines(1);
    for (wchar_t c : text) {
        if (c == L'\n') lines.emplace_back();
        else lines.back() += c;
    }
    return lines;
}

class TextFits : public testsupport::ContentScreenTest {
protected:
    void SetUp() override {
        ContentScreenTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(fOpen("text fits"));
        ASSERT_TRUE(fContent().fMount({"data", "data/share/font", "data/en", "data/share/main/GameProcess"}));
        ASSERT_TRUE(fContent().fMountLocked({"data/share/main/other", "data/share/image/gui"}));
        ASSERT_EQ(mFonts.fRead("data/share/font fonts.xml"), 1);
        pugi::xml_document* list = fRepository().fGetXml("data/share/font fonts.xml");
        ASSERT_NE(list, nullptr);
        for (pugi::xml_node f : list->child("fonts").children()) mFontByXml[f.attribute("xml").as_string()] = f.attribute("name").as_string();
        fRepository().fReleaseXml(list);
        pugi::xml_document* sheet = fRepository().fGetXml("strings.xml");
        ASSERT_NE(sheet, nullptr);
        mStrings.fRead(KEL::KC_STRING_TABLE::fFirstRow(*sheet));
        fRepository().fReleaseXml(sheet);
    }
    void TearDown() override {
        for (auto& [name, texture] : mTextures) fRepository().fReleaseTexture(texture);
        mFonts.fDeleteAll();
        ContentScreenTest::TearDown();
    }

    // The text of a key; a key without a string is a failure.
    std::wstring fString(const std::string& key, const std::string& where) {
        // A missing key answers one shared stand-in text.
        if (&mStrings.fGet(key) == &mStrings.fGet(std::string(1, '\0'))) {
            mProblems.push_back(where + ": \"" + key + "\" is a key with no string");
            return KEL::fFromUtf8(key);
        }
        return mStrings.fGetString(key);
    }

    KEL::KS_POINT fTextureSize(const std::string& name) {
        auto it = mTextures.find(name);
        if (it == mTextures.end()) it = mTextures.emplace(name, fRepository().fGetTexture(name)).first;
        if (!it->second) return {0, 0};
        return {it->second->fGetWidth(), it->second->fGetHeight()};
    }

    KEL::KC_FONT* fFontOfXml(const std::string& xml) {
        auto it = mFontByXml.find(xml);
        return it == mFontByXml.end() ? nullptr : mFonts.fGet(it->second);
    }

    // The text's block as the font lays it out: each line placed by the
    // anchor, lines a line height apart, glyphs scaled.
    BOX fMeasure(const TEXT& t) {
        const std::vector<std::wstring> lines = fLines(t.text);
        const float lineHeight = float(t.font->fGetLineHeight());
        const int32_t anchor = t.font->fGetAnchor();
        t.font->fSetAnchor(t.anchor);
        const float top = t.y + float(t.font->fGetOffsetYW(t.text.c_str()));
        t.font->fSetAnchor(anchor);
        BOX box{1e9f, top, -1e9f, top + float(lines.size() - 1) * (lineHeight + t.lineSpace) + lineHeight * t.scale};
        for (const std::wstring& line : lines) {
            const float w = float(t.font->fMeasureW(line.c_str())) * t.scale;
            const float left = t.x - (t.anchor % 3) * w * 0.5f;
            box.l = std::min(box.l, left);
            box.r = std::max(box.r, left + w);
        }
        return box;
    }

    // The text lies inside the smallest picture under its anchor.
    void fCheck(const TEXT& t, const std::vector<PICTURE>& pictures) {
        if (t.text.empty()) return;
        ASSERT_NE(t.font, nullptr) << t.where << ": no font";
        ++mChecked;
        PICTURE under{{0, 0, kSCREEN_W, kSCREEN_H}, "the screen"};
        for (const PICTURE& p : pictures)
            if (p.box.fHolds(t.x, t.y) && p.box.fArea() < under.box.fArea()) under = p;
        BOX inner = under.box;
        if (under.name != "the screen") inner = {inner.l + kBORDER, inner.t + kBORDER, inner.r - kBORDER, inner.b - kBORDER};
        const BOX text = fMeasure(t);
        if (inner.fHolds(text)) return;
        std::ostringstream out;
        out << t.where << ": \"" << KEL::fToUtf8(t.text) << "\" spans x " << text.l << ".." << text.r << ", y " << text.t
            << ".." << text.b << "; " << under.name << " holds x " << inner.l << ".." << inner.r << ", y " << inner.t << ".."
            << inner.b;
        mProblems.push_back(out.str());
    }

    static KEL::KS_VEC2 fPlace(const pugi::xml_node& widget) {
        if (pugi::xml_node p = widget.child("POSITION")) return KEL::KS_VEC2(p.text().as_string());
        if (pugi::xml_node t = widget.child("TRANSFORM")) {
            std::istringstream in(t.text().as_string());
            float x = 0, y = 0;
            in >> x >> y;
            return {x, y};
        }
        return {0, 0};
    }

    // Walks a widget layout standing at (x, y): pictures and labels, the
    // labels' texts localised when asked, or replaced by what a screen puts
    // there (by id).
    void fWalk(const pugi::xml_node& layout, float x, float y, bool localise, const std::string& where,
               const std::map<int32_t, std::wstring>& filled, std::vector<PICTURE>& pictures, std::vector<TEXT>& texts) {
        for (pugi::xml_node w : layout.children()) {
            std::string tag = w.name();
            std::transform(tag.begin(), tag.end(), tag.begin(), ::toupper);
            const KEL::KS_VEC2 at = fPlace(w);
            const float wx = x + at.x, wy = y + at.y;
            const int32_t id = w.attribute("ID").as_int(0);
            if ((tag == "IMAGE" || tag == "PANEL" || tag == "BUTTON5") && w.attribute("TEXTURE")) {
                KEL::KS_POINT size = fTextureSize(w.attribute("TEXTURE").as_string());
                if (tag == "BUTTON5") size.x /= 5;
                if (pugi::xml_node s = w.child("SIZE")) {
                    const KEL::KS_VEC2 v(s.text().as_string());
                    size = {int32_t(v.x), int32_t(v.y)};
                }
                const int32_t anchor = w.attribute("HOT_SPOT") ? KEL::fHotSpotFromString(w.attribute("HOT_SPOT").as_string()) : 4;
                if (w.attribute("VISIBLE").as_string("1")[0] != '0')
                    pictures.push_back({fBoxAt(wx, wy, float(size.x), float(size.y), anchor),
                                        where + " " + tag + " " + std::to_string(id)});
            }
            if (tag == "WLABEL") {
                TEXT t;
                t.where = where + " label " + std::to_string(id);
                t.font = fFontOfXml(w.attribute("FONT").as_string());
                t.anchor = w.attribute("HOT_SPOT").as_int(4);
                t.x = wx;
                t.y = wy;
                t.scale = w.attribute("FONT_SCALE").as_float(1.0f);
                t.lineSpace = w.attribute("LINE_SPACE").as_int(0);
                const std::string raw = w.attribute("TEXT").as_string();
                if (filled.count(id)) t.text = filled.at(id);
                else if (localise && !raw.empty()) t.text = fString(raw, t.where);
                else t.text = KEL::fFromUtf8(raw);
                texts.push_back(t);
            }
            // A player list shows the longest name from its panel's left
            // indent (a twentieth of it) and margin; a name entry takes it
            // between its margins.
            if (tag == "LISTBOX" || tag == "LINEBOX") {
                const char* back = tag == "LISTBOX" ? "PANEL_TEXTURE" : "TEXTURE";
                const KEL::KS_POINT size = fTextureSize(w.attribute(back).as_string());
                const BOX box = fBoxAt(wx, wy, float(size.x), float(size.y), 4);
                pictures.push_back({box, where + " " + tag + " " + std::to_string(id)});
                TEXT t;
                t.where = where + " " + tag + " " + std::to_string(id) + " name";
                t.font = fFontOfXml(w.attribute("FONT").as_string());
                t.text = kLONG_NAME;
                t.anchor = tag == "LISTBOX" ? 3 : 4;
                t.x = tag == "LISTBOX" ? box.l + float(size.x / 20 + w.attribute("LEFT_MARGIN").as_int(0)) : wx;
                t.y = tag == "LISTBOX" ? box.t + float(size.y) / float(w.attribute("VISIBLE_COUNT").as_int(3)) * 0.5f : wy;
                texts.push_back(t);
            }
            if (pugi::xml_node context = w.child("CONTEXT")) fWalk(context, wx, wy, localise, where, filled, pictures, texts);
        }
    }

    void fCheckAll(const std::vector<PICTURE>& pictures, const std::vector<TEXT>& texts) {
        for (const TEXT& t : texts) fCheck(t, pictures);
    }

    static KEL::KS_VEC2 fRestingPlace(const pugi::xml_node& window) {
        const std::string kind = window.attribute("_typePos").as_string("POS_MIDDLE_SCREEN");
        if (kind == "POS_MIDDLE_SCREEN") return {kSCREEN_W / 2, kSCREEN_H / 2};
        const KEL::KS_VEC2 p(window.attribute("_position").as_string("0 0"));
        if (kind == "POS_IN_PIX") return p;
        return {p.x * kSCREEN_W, p.y * kSCREEN_H};
    }

    std::map<std::string, std::map<int32_t, std::wstring>> fFilledByScreens();
    void fCheckWindow(const std::string& file, const std::map<int32_t, std::wstring>& filled);
    void fCheckEdition(const pugi::xml_node& edition);
    void fCheckCards(const std::string& window, const std::string& pagesFile);
    void fCheckGallery(const std::string& pagesFile, const KEL::KS_VEC2& at, const std::vector<PICTURE>& pictures);
    void fCheckTutorial(const std::string& file);
    std::wstring fFormat(const std::string& key, const std::wstring& value) {
        std::wstring f = mStrings.fGetString(key);
        for (const wchar_t* mark : {L"%s", L"%i"}) {
            const size_t at = f.find(mark);
            if (at != std::wstring::npos) f.replace(at, 2, value);
        }
        return f;
    }

    KEL::KC_FONT_LIST mFonts;
    KEL::KC_STRING_TABLE mStrings;
    std::map<std::string, std::string> mFontByXml;
    std::map<std::string, KEL::KC_TEXTURE*> mTextures;
    pugi::xml_document mStore;
    pugi::xml_document mTrophies;
    int mChecked = 0;
    std::vector<std::string> mProblems;
};

// What screens write into their labels, at its longest.
std::map<std::string, std::map<int32_t, std::wstring>> TextFits::fFilledByScreens() {
    auto format = [this](const std::string& key, const std::wstring& value) { return fFormat(key, value); };
    return {
        {"Sumie", {{2, L"999999"}}},
        {"Stars", {{1, L"144"}}},
        {"Heart", {{1, L"8"}, {2, L"59:59"}}},
        {"GP_Finish",
         {{4, L"59:59"}, {8, L"59:59"}, {5, L"9"}, {6, L"9"}, {7, L"9999"}, {10, L"9999999"},
          {9, format("level_number", L"12")}}},
        {"Players_Confirm_Del", {{2, format("confirm_delete_player", kLONG_NAME)}}},
        {"Confirm_Buy_Pack", {{2, format("pack_buy", L"1500")}}},
    };
}

void TextFits::fCheckWindow(const std::string& file, const std::map<int32_t, std::wstring>& filled) {
    pugi::xml_document* doc = fRepository().fGetXml(file);
    ASSERT_NE(doc, nullptr) << file;
    const pugi::xml_node window = KEL::fFindElement(*doc);
    const std::string name = window.attribute("_name").as_string();
    const KEL::KS_VEC2 at = fRestingPlace(window);
    std::vector<PICTURE> pictures;
    std::vector<TEXT> texts;
    fWalk(window.child("GUI"), at.x, at.y, true, name, filled, pictures, texts);

    // Texts a screen draws with its own fonts.
    if (pugi::xml_node settings = window.child("settings")) {
        if (name == "Trophy_Get") {
            for (pugi::xml_node trophy : mTrophies.child("trophies").children("trophy")) {
                const std::string title = trophy.attribute("name").as_string(), desc = trophy.attribute("desc").as_string();
                for (const auto& [element, key] : {std::pair{"fontTitle", title}, std::pair{"fontDescription", desc}}) {
                    const pugi::xml_node d = settings.child(element);
                    const KEL::KS_VEC2 shift(d.attribute("shift").as_string("0 0"));
                    TEXT t{fString(key, name), mFonts.fGet(d.attribute("fntName").as_string()),
                           KEL::fHotSpotFromString(d.attribute("fntHotSpot").as_string()), at.x + shift.x, at.y + shift.y,
                           1.0f, 0, {}};
                    t.where = name + " " + key;
                    texts.push_back(t);
                }
            }
        }
    }
    if (name == "Title_Top") {
        if (pugi::xml_node settings = window.child("SETTINGS")) {
            const KEL::KS_VEC2 shift(settings.attribute("shift").as_string("0 0"));
            const pugi::xml_node big = settings.child("font_big");
            TEXT t{fFormat("label_hello_player_with_name", kLONG_NAME), mFonts.fGet(big.attribute("fntName").as_string()),
                   KEL::fHotSpotFromString(big.attribute("fntHotSpot").as_string()), at.x + shift.x, at.y + shift.y,
                   1.0f, 0, {}};
            t.where = name + " greeting";
            texts.push_back(t);
        }
    }
    fCheckAll(pictures, texts);

    // The gallery hangs its entries at the window's place, on its panel.
    if (name == "Trophy") fCheckGallery(window.child("gPages").attribute("file").as_string(), at, pictures);
    fRepository().fReleaseXml(doc);
}

// Each card's texts inside the card, as the screen fills them: the shop's
// titles, notes and prices of every offer, the packs' names and stars.
void TextFits::fCheckCards(const std::string& window, const std::string& pagesFile) {
    pugi::xml_document* doc = fRepository().fGetXml(pagesFile);
    ASSERT_NE(doc, nullptr) << pagesFile;
    size_t index = 0;
    for (pugi::xml_node item : KEL::fFindElement(*doc).children()) {
        if (std::string(item.name()) == "gEXAMPLE") continue;
        const std::string where = window + " card " + std::to_string(index++);
        std::vector<std::map<int32_t, std::wstring>> fillings;
        if (window == "Shop") {
            const std::string type = item.attribute("type").as_string();
            for (pugi::xml_node offer : mStore.child("store").children("item")) {
                if (type != offer.attribute("name").as_string()) continue;
                fillings.push_back({{2, fString(type, where)},
                                    {3, fString(offer.attribute("annotation").as_string(), where)},
                                    {4, KEL::fFromUtf8(offer.attribute("price").as_string())}});
                fillings.push_back({{2, fString(type, where)}, {3, fString("sold_out", where)}, {4, L""}});
            }
        } else {
            fillings.push_back({{5, L"36/36"}});
        }
        for (const auto& filled : fillings) {
            std::vector<PICTURE> pictures;
            std::vector<TEXT> texts;
            fWalk(item.child("GUI"), 0, 0, window != "Shop", where, filled, pictures, texts);
            fCheckAll(pictures, texts);
        }
    }
    fRepository().fReleaseXml(doc);
}

void TextFits::fCheckGallery(const std::string& pagesFile, const KEL::KS_VEC2& at, const std::vector<PICTURE>& pictures) {
    pugi::xml_document* doc = fRepository().fGetXml(pagesFile);
    ASSERT_NE(doc, nullptr) << pagesFile;
    const pugi::xml_node root = KEL::fFindElement(*doc);
    const int32_t rows = std::max(1, root.attribute("rows").as_int(1));
    const float step = 96.0f + root.attribute("interval_y").as_float(0);
    size_t index = 0;
    for (pugi::xml_node item : root.children("item")) {
        const std::string name = item.attribute("name_tr").as_string();
        pugi::xml_node trophy = mTrophies.child("trophies").find_child_by_attribute("trophy", "name", name.c_str());
        EXPECT_TRUE(trophy) << "the gallery names " << name << ", which is no trophy";
        const float y = at.y + (float(index++ % rows) - float(rows - 1) * 0.5f) * step;
        const std::string bonus = trophy.attribute("bonus").as_string("0");
        for (const auto& [element, text] :
             {std::pair{"fontTitle", fString(name, "gallery")},
              std::pair{"fontDescr", fString(trophy.attribute("desc").as_string(), "gallery")},
              std::pair{"fontSunime", KEL::fFromUtf8(bonus)}}) {
            const pugi::xml_node d = item.child(element);
            const KEL::KS_VEC2 shift(d.attribute("shift").as_string("0 0"));
            TEXT t{text, mFonts.fGet(d.attribute("fntName").as_string()),
                   KEL::fHotSpotFromString(d.attribute("fntHotSpot").as_string()), at.x + shift.x, y + shift.y, 1.0f,
                   0, {}};
            t.where = "Trophy gallery " + name + " " + element;
            fCheck(t, pictures);
        }
    }
    fRepository().fReleaseXml(doc);
}

// The tutorial's panels show their texts as written, on the panel picture.
void TextFits::fCheckTutorial(const std::string& file) {
    pugi::xml_document* doc = fRepository().fGetXml(file);
    ASSERT_NE(doc, nullptr) << file;
    int step = 0;
    for (pugi::xml_node level : KEL::fFindElement(*doc).child("tutorial").children("level"))
        for (pugi::xml_node s : level.children("step")) {
            std::vector<PICTURE> pictures;
            std::vector<TEXT> texts;
            fWalk(s.child("GUI"), 0, 0, false, file + " step " + std::to_string(step++), {}, pictures, texts);
            fCheckAll(pictures, texts);
        }
    fRepository().fReleaseXml(doc);
}

void TextFits::fCheckEdition(const pugi::xml_node& edition) {
    auto load = [this](pugi::xml_document& into, const pugi::xml_node& node) {
        pugi::xml_document* doc = fRepository().fGetXml(node.attribute("file").as_string());
        ASSERT_NE(doc, nullptr) << node.attribute("file").as_string();
        into.reset(*doc);
        fRepository().fReleaseXml(doc);
    };
    load(mStore, edition.child("store"));
    load(mTrophies, edition.child("trophies"));
    const auto filled = fFilledByScreens();
    pugi::xml_document* scenes = fRepository().fGetXml(edition.child("scenes").attribute("file").as_string());
    ASSERT_NE(scenes, nullptr);
    for (pugi::xml_node w : KEL::fFindElement(*scenes).children("window")) {
        const std::string file = w.attribute("file").as_string();
        pugi::xml_document* doc = fRepository().fGetXml(file);
        ASSERT_NE(doc, nullptr) << file;
        const std::string name = KEL::fFindElement(*doc).attribute("_name").as_string();
        const std::string pages = KEL::fFindElement(*doc).child("gPages").attribute("file").as_string();
        fRepository().fReleaseXml(doc);
        auto it = filled.find(name);
        fCheckWindow(file, it == filled.end() ? std::map<int32_t, std::wstring>{} : it->second);
        if (name == "Shop" || name == "Packs") fCheckCards(name, pages);
    }
    fRepository().fReleaseXml(scenes);
    if (pugi::xml_node tutorial = edition.child("tutorial")) fCheckTutorial(tutorial.attribute("file").as_string());
}

}  // namespace

TEST_F(TextFits, EveryTextOfEveryEditionLiesInsideItsPanelOrCard) {
    pugi::xml_document* editions = fRepository().fGetXml("data/share/main/other editions.xml");
    ASSERT_NE(editions, nullptr);
    int count = 0;
    for (pugi::xml_node edition : editions->child("editions").children("edition")) {
        SCOPED_TRACE(edition.attribute("type").as_string());
        fCheckEdition(edition);
        ++count;
    }
    fRepository().fReleaseXml(editions);
    EXPECT_EQ(count, 2);
    EXPECT_GT(mChecked, 300) << "texts measured";
    std::string all;
    for (const std::string& p : mProblems) all += p + "\n";
    EXPECT_TRUE(mProblems.empty()) << all;
}

// The check itself: a text too wide for its card, and a key with no string,
// are both caught.
TEST_F(TextFits, ATooWideTextAndAKeyWithoutStringFail) {
    std::vector<PICTURE> card{{{100, 100, 300, 200}, "card"}};
    TEXT t{L"short", mFonts.fGet("body"), 4, 200, 150, 1.0f, 0, {}};
    t.where = "probe";
    fCheck(t, card);
    EXPECT_EQ(mChecked, 1);
    EXPECT_TRUE(mProblems.empty());
    t.text = std::wstring(40, L'W');
    fCheck(t, card);
    t.text = L"two\nlines";
    t.y = 110;
    fCheck(t, card);
    EXPECT_EQ(fString("shop", "probe"), L"Shop");
    fString("no_such_key_here", "probe");
    ASSERT_EQ(mProblems.size(), 3u);
    EXPECT_NE(mProblems[0].find("probe"), std::string::npos);
    EXPECT_NE(mProblems[1].find("two"), std::string::npos) << "two lines reach above the card";
    EXPECT_NE(mProblems[2].find("key with no string"), std::string::npos);
}
