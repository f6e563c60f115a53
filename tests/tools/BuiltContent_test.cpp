// Checks the built default content in <build>/Resources the way the game
// reads it: the resource root, "data", the two password archives, the
// language folder and every folder of the resource list.
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <unzip.h>
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* kPassword = "PlumtreeByOakhurst";
const char* kArchives[] = {"data/share/main/other", "data/share/image/gui"};

// Reads one entry whatever its protection: traditional PKWARE encryption is
// undone here (the system minizip has no decryption), then the data is
// inflated and its CRC checked.
bool fReadEntry(unzFile zip, const unz_file_info& info, std::string& out) {
    int method = 0, level = 0;
    if (unzOpenCurrentFile2(zip, &method, &level, 1) != UNZ_OK) return false;
    std::string raw(info.compressed_size, '\0');
    const int got = unzReadCurrentFile(zip, raw.data(), static_cast<unsigned>(raw.size()));
    unzCloseCurrentFile(zip);
    if (got != static_cast<int>(raw.size())) return false;
    if (info.flag & 1) {
        const z_crc_t* table = get_crc_table();
        uint32_t k[3] = {0x12345678u, 0x23456789u, 0x34567890u};
        auto update = [&](unsigned char c) {
            k[0] = table[(k[0] ^ c) & 0xFF] ^ (k[0] >> 8);
            k[1] = (k[1] + (k[0] & 0xFF)) * 134775813u + 1;
            k[2] = table[(k[2] ^ (k[1] >> 24)) & 0xFF] ^ (k[2] >> 8);
        };
        for (const char* p = kPassword; *p; ++p) update(static_cast<unsigned char>(*p));
        for (char& c : raw) {
            const uint32_t t = (k[2] | 2) & 0xFFFF;
            c = static_cast<char>(static_cast<unsigned char>(c) ^ (((t * (t ^ 1)) >> 8) & 0xFF));
            update(static_cast<unsigned char>(c));
        }
        if (raw.size() < 12) return false;
        const unsigned check = (info.flag & 8) ? ((info.dosDate >> 8) & 0xFF) : (info.crc >> 24);
        if (static_cast<unsigned char>(raw[11]) != check) return false;
        raw.erase(0, 12);
    }
    if (method == 0) {
        out = raw;
    } else if (method == Z_DEFLATED) {
        out.assign(info.uncompressed_size, '\0');
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
        z.next_in = reinterpret_cast<Bytef*>(raw.data());
        z.avail_in = static_cast<uInt>(raw.size());
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = static_cast<uInt>(out.size());
        const int r = inflate(&z, Z_FINISH);
        inflateEnd(&z);
        if (r != Z_STREAM_END || z.total_out != out.size()) return false;
    } else {
        return false;
    }
    return crc32(0, reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(out.size())) == info.crc;
}

struct Group {
    bool archive = false;
    std::map<std::string, std::string> files;  // name -> bytes
};

class BuiltContent : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sRoot = fs::path(NONOGRAM_BINARY_DIR) / "Resources";
        if (!fs::is_directory(sRoot)) return;
        sMain = fReadFolder(sRoot);
        fMount("data");
        for (const char* a : kArchives) fMount(a);
        fMount("data/en");
        pugi::xml_document list;
        if (const std::string* bytes = fFind("data/share/main/other resource_list.xml");
            bytes && list.load_string(bytes->c_str())) {
            for (pugi::xml_node n : list.document_element().children())
                if (n.attribute("value")) fMount(n.attribute("value").value());
        }
    }

    void SetUp() override { ASSERT_TRUE(fs::is_directory(sRoot)) << "no built content at " << sRoot; }

    static Group fReadFolder(const fs::path& dir) {
        Group g;
        for (const auto& e : fs::directory_iterator(dir)) {
            if (!e.is_regular_file()) continue;
            std::ifstream in(e.path(), std::ios::binary);
            std::ostringstream s;
            s << in.rdbuf();
            g.files[e.path().filename().string()] = s.str();
        }
        return g;
    }

    static bool fReadArchive(const fs::path& path, Group& g, bool& allEncrypted) {
        unzFile zip = unzOpen(path.string().c_str());
        if (!zip) return false;
        g.archive = true;
        allEncrypted = true;
        for (int r = unzGoToFirstFile(zip); r == UNZ_OK; r = unzGoToNextFile(zip)) {
            unz_file_info info;
            char name[512];
            if (unzGetCurrentFileInfo(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) break;
            allEncrypted = allEncrypted && (info.flag & 1);
            std::string bytes;
            if (fReadEntry(zip, info, bytes)) g.files[name] = bytes;
        }
        unzClose(zip);
        return true;
    }

    static void fMount(const std::string& name) {
        const fs::path p = sRoot / name;
        if (fs::is_directory(p)) {
            sGroups[name] = fReadFolder(p);
        } else if (fs::is_regular_file(p)) {
            Group g;
            bool encrypted = false;
            if (fReadArchive(p, g, encrypted)) {
                sGroups[name] = g;
                if (!encrypted) sPlainArchives.insert(name);
            }
        }
        sMountOrder.push_back(name);
    }

    // The repository's lookup: "group file" searches that group only when
    // it is mounted; a plain name the resource root, then every group.
    static const std::string* fFind(const std::string& name) {
        const auto blank = name.find(' ');
        if (blank != std::string::npos) {
            if (name.find(' ', blank + 1) != std::string::npos) return nullptr;
            auto g = sGroups.find(name.substr(0, blank));
            if (g == sGroups.end()) return nullptr;
            auto f = g->second.files.find(name.substr(blank + 1));
            return f == g->second.files.end() ? nullptr : &f->second;
        }
        if (auto f = sMain.files.find(name); f != sMain.files.end()) return &f->second;
        for (const std::string& m : sMountOrder) {
            auto g = sGroups.find(m);
            if (g == sGroups.end()) continue;
            if (auto f = g->second.files.find(name); f != g->second.files.end()) return &f->second;
        }
        return nullptr;
    }

    static bool fParse(const std::string& name, pugi::xml_document& doc) {
        const std::string* bytes = fFind(name);
        return bytes && doc.load_buffer(bytes->data(), bytes->size());
    }

    // Every XML document of every mounted list, by its resource name.
    static std::map<std::string, const std::string*> fAllXml() {
        std::map<std::string, const std::string*> all;
        for (const auto& [n, bytes] : sMain.files)
            if (n.ends_with(".xml")) all[n] = &bytes;
        for (const auto& [g, group] : sGroups)
            for (const auto& [n, bytes] : group.files)
                if (n.ends_with(".xml")) all[g + " " + n] = &bytes;
        return all;
    }

    static fs::path sRoot;
    static Group sMain;
    static std::map<std::string, Group> sGroups;
    static std::vector<std::string> sMountOrder;
    static std::set<std::string> sPlainArchives;
};

fs::path BuiltContent::sRoot;
Group BuiltContent::sMain;
std::map<std::string, Group> BuiltContent::sGroups;
std::vector<std::string> BuiltContent::sMountOrder;
std::set<std::string> BuiltContent::sPlainArchives;

void fCollectNames(pugi::xml_node node, std::vector<std::string>& out) {
    static const std::regex name(R"(^[A-Za-z0-9_./-]+( [A-Za-z0-9_.-]+)?\.(png|ogg|xml)$)");
    for (pugi::xml_attribute a : node.attributes())
        if (std::regex_match(a.value(), name)) out.push_back(a.value());
    for (pugi::xml_node c : node.children()) {
        if (c.type() == pugi::node_pcdata) {
            if (std::regex_match(c.value(), name)) out.push_back(c.value());
        } else if (c.type() == pugi::node_element) {
            fCollectNames(c, out);
        }
    }
}

int fPngWidth(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return -1;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    return (b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19];
}

int fPngHeight(const std::string& bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    return bytes.size() < 24 ? -1 : (b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23];
}

}  // namespace

TEST_F(BuiltContent, ArchivesAreFlatAndEncryptedWithThePassword) {
    for (const char* a : kArchives) {
        ASSERT_TRUE(fs::is_regular_file(sRoot / a)) << a;
        ASSERT_TRUE(sGroups.count(a)) << a << " is no zip archive";
        EXPECT_FALSE(sGroups[a].files.empty()) << a;
        EXPECT_FALSE(sPlainArchives.count(a)) << a << " holds unencrypted entries";
        for (const auto& [n, bytes] : sGroups[a].files) EXPECT_EQ(n.find('/'), std::string::npos) << a << ": " << n;
    }
}

TEST_F(BuiltContent, EveryXmlParsesAndEveryNamedResourceExists) {
    const auto all = fAllXml();
    EXPECT_GT(all.size(), 10u);
    for (const auto& [name, bytes] : all) {
        pugi::xml_document doc;
        const pugi::xml_parse_result r = doc.load_buffer(bytes->data(), bytes->size());
        EXPECT_TRUE(r) << name << ": " << r.description();
        std::vector<std::string> named;
        fCollectNames(doc, named);
        for (const std::string& n : named) {
            const auto blank = n.find(' ');
            // The loading screen's splashes are plain paths inside Resources.
            if (blank == std::string::npos && fs::is_regular_file(sRoot / n)) continue;
            if (blank != std::string::npos) {
                EXPECT_TRUE(sGroups.count(n.substr(0, blank))) << name << " names an unmounted list: " << n;
            }
            EXPECT_NE(fFind(n), nullptr) << name << " names a missing resource: " << n;
        }
    }
}

TEST_F(BuiltContent, ResourceListNamesExistingFolders) {
    pugi::xml_document doc;
    ASSERT_TRUE(fParse("data/share/main/other resource_list.xml", doc));
    int count = 0;
    for (pugi::xml_node n : doc.document_element().children()) {
        const std::string v = n.attribute("value").value();
        ASSERT_FALSE(v.empty());
        EXPECT_EQ(v.find(' '), std::string::npos) << v;
        EXPECT_TRUE(fs::exists(sRoot / v)) << v;
        ++count;
    }
    EXPECT_GT(count, 0);
}

// In the edition with the in-app store every offer is sold through it: an
// offer without a listed product would show a buy button that buys nothing.
TEST_F(BuiltContent, EveryShopOfferHasAnInAppProduct) {
    pugi::xml_document store, products;
    ASSERT_TRUE(fParse("data/share/main/other store.xml", store));
    ASSERT_TRUE(fParse("data/share/main/other inapp.xml", products));
    std::set<std::string> ids;
    for (pugi::xml_node product : products.document_element().children("product"))
        ids.insert(product.attribute("product_id").value());
    int count = 0;
    for (pugi::xml_node item : store.document_element().children("item")) {
        const std::string key = item.attribute("InAppKey").value();
        EXPECT_FALSE(key.empty()) << item.attribute("name").value();
        EXPECT_TRUE(ids.count(key)) << key;
        ++count;
    }
    EXPECT_GT(count, 0);
}

TEST_F(BuiltContent, SoundListHoldsEverySoundTheGamePlays) {
    pugi::xml_document doc;
    ASSERT_TRUE(fParse("data/share/main/other sound.xml", doc));
    std::map<std::string, std::set<std::string>> groups;
    for (pugi::xml_node g : doc.child("sound").children()) {
        for (pugi::xml_node s : g.children()) {
            groups[g.attribute("name").value()].insert(s.attribute("name").value());
            const std::string* ogg = fFind(s.attribute("path").value());
            ASSERT_NE(ogg, nullptr) << s.attribute("path").value();
            EXPECT_EQ(ogg->substr(0, 4), "OggS") << s.attribute("path").value();
        }
    }
    EXPECT_GE(groups["music"].size(), 1u);
    for (const char* name : {"fulltileclick", "emptytileclick", "errorclick", "levelshow", "levelwin", "levelloose"})
        EXPECT_TRUE(groups["sounds"].count(name)) << name;
}

TEST_F(BuiltContent, FontsMatchTheirPagesAndHoldTheFallbackGlyph) {
    pugi::xml_document list;
    ASSERT_TRUE(fParse("data/share/font fonts.xml", list));
    std::set<std::string> names;
    for (pugi::xml_node f : list.child("fonts").children()) {
        names.insert(f.attribute("name").value());
        pugi::xml_document font;
        ASSERT_TRUE(fParse(f.attribute("xml").value(), font)) << f.attribute("xml").value();
        const std::string* page = fFind(f.attribute("texture").value());
        ASSERT_NE(page, nullptr) << f.attribute("texture").value();
        // Glyph rectangles are computed against the page image's own size.
        const pugi::xml_node common = font.child("font").child("common");
        EXPECT_EQ(common.attribute("scaleW").as_int(), fPngWidth(*page));
        EXPECT_EQ(common.attribute("scaleH").as_int(), fPngHeight(*page));
        EXPECT_GT(common.attribute("lineHeight").as_int(), 0);
        std::set<unsigned> ids;
        for (pugi::xml_node c : font.child("font").child("chars").children("char"))
            ids.insert(c.attribute("id").as_uint());
        for (unsigned id : {32u, 48u, 57u, 63u, 124u})
            EXPECT_TRUE(ids.count(id)) << f.attribute("name").value() << " " << id;
    }
    for (const char* name : {"clue", "body", "title"}) EXPECT_TRUE(names.count(name)) << name;
}

TEST_F(BuiltContent, StringTableAndCursor) {
    pugi::xml_document doc;
    ASSERT_TRUE(fParse("strings.xml", doc));
    std::map<std::string, std::string> texts;
    for (pugi::xml_node row : doc.child("Workbook").child("Worksheet").child("Table").children("Row")) {
        pugi::xml_node key = row.first_child(), text = key.next_sibling();
        texts.emplace(key.first_child().text().get(), text.first_child().text().get());
    }
    for (const char* key : {"window_title", "m_notification_health", "label_change_player",
                            "label_hello_player_with_name", "label_hello_player", "loading"})
        EXPECT_FALSE(texts[key].empty()) << key;
    EXPECT_NE(texts["label_hello_player_with_name"].find("%s"), std::string::npos);

    pugi::xml_document packs;
    ASSERT_TRUE(fParse("data/share/main/other packs_description.xml", packs));
    for (pugi::xml_node p : packs.document_element().children())
        EXPECT_FALSE(texts[p.attribute("key").value()].empty()) << p.attribute("key").value();

    pugi::xml_document cursor;
    ASSERT_TRUE(fParse("data/share/main/other gCursor.xml", cursor));
    EXPECT_GT(fPngWidth(*fFind(cursor.document_element().child_value("file"))), 0);
}

TEST_F(BuiltContent, PacksHoldTwelvePlayableLevelsEach) {
    pugi::xml_document packs;
    ASSERT_TRUE(fParse("data/share/main/other packs_description.xml", packs));
    unsigned expectedId = 0;
    // The design cell of board.conf, the smallest a board may take.
    int designCell = 0;
    std::ifstream conf(std::string(NONOGRAM_SOURCE_DIR) + "/content/board.conf");
    for (std::string line; std::getline(conf, line);)
        if (line.rfind("elSize", 0) == 0) std::istringstream(line.substr(line.find('=') + 1)) >> designCell;
    ASSERT_GT(designCell, 0);
    for (pugi::xml_node p : packs.document_element().children()) {
        EXPECT_EQ(p.attribute("id").as_uint(), expectedId++) << "pack ids run 0, 1, 2, ...";
        for (const char* a : {"key", "stars2pass", "price", "path"}) EXPECT_TRUE(p.attribute(a)) << a;
        const std::string path = p.attribute("path").value();
        ASSERT_TRUE(sGroups.count(path)) << path << " is not mounted";
        int levels = 0;
        for (const auto& [file, bytes] : sGroups[path].files) {
            pugi::xml_document level;
            ASSERT_TRUE(level.load_buffer(bytes.data(), bytes.size())) << path << " " << file;
            const pugi::xml_node s = level.document_element().child("settings");
            int w = 0, h = 0;
            std::istringstream(s.attribute("grid").value()) >> w >> h;
            EXPECT_TRUE(w >= 5 && w <= 20 && h >= 5 && h <= 20) << file << " " << w << "x" << h;
            int cells = 0, full = 0;
            for (pugi::xml_node c : level.document_element().child("gElements").children()) {
                ++cells;
                const int t = c.attribute("type").as_int();
                EXPECT_TRUE(t == 100 || t == 101 || t == 103) << file;
                full += t == 100;
            }
            EXPECT_EQ(cells, w * h) << file;
            EXPECT_LE(s.attribute("bonuses").as_int(), full) << file;
            // Each board takes the largest cells that fit beside its clue
            // strips: a 20 x 20 board keeps the readable design cell, smaller
            // boards grow to fill the play area, none reaches the controls.
            int cell = 0;
            std::istringstream(s.attribute("elSize").value()) >> cell;
            EXPECT_GE(cell, designCell) << file;
            EXPECT_GE(cell * std::max(w, h), 400) << file << ": the board fills its area";
            float x = 0, y = 0;
            std::istringstream(s.attribute("position").value()) >> x >> y;
            EXPECT_LE(x + cell * w * 0.5f + 12, 890.0f) << file << ": clear of the tool switch";
            EXPECT_LE(y + cell * h * 0.5f + 12, 768.0f) << file;
            ++levels;
        }
        EXPECT_GE(levels, 12) << path;
    }
    EXPECT_GE(expectedId, 4u);
}

TEST_F(BuiltContent, TextFontsDrawEveryCharacterOfTheStringTable) {
    pugi::xml_document strings;
    ASSERT_TRUE(fParse("strings.xml", strings));
    std::set<unsigned> used;
    for (pugi::xml_node row : strings.child("Workbook").child("Worksheet").child("Table").children("Row")) {
        const std::string text = row.first_child().next_sibling().first_child().text().get();
        // UTF-8 to code points.
        for (size_t i = 0; i < text.size();) {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            const int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
            unsigned code = extra == 0 ? c : c & (0x3F >> extra);
            for (int k = 1; k <= extra && i + k < text.size(); ++k) code = (code << 6) | (text[i + k] & 0x3F);
            // A line break starts a new line; it is no glyph.
            if (code != '\n') used.insert(code);
            i += extra + 1;
        }
    }
    ASSERT_FALSE(used.empty());
    pugi::xml_document list;
    ASSERT_TRUE(fParse("data/share/font fonts.xml", list));
    for (pugi::xml_node f : list.child("fonts").children()) {
        if (std::string(f.attribute("name").value()) == "clue") continue;  // digits only
        pugi::xml_document font;
        ASSERT_TRUE(fParse(f.attribute("xml").value(), font));
        std::set<unsigned> ids;
        for (pugi::xml_node c : font.child("font").child("chars").children("char"))
            ids.insert(c.attribute("id").as_uint());
        for (unsigned code : used)
            EXPECT_TRUE(ids.count(code)) << f.attribute("name").value() << " lacks U+" << std::hex << code;
    }
}

TEST_F(BuiltContent, CellImagesMatchTheSharedCellSize) {
    // The board design every level shares.
    std::ifstream conf(std::string(NONOGRAM_SOURCE_DIR) + "/content/board.conf");
    ASSERT_TRUE(conf);
    std::map<std::string, std::string> v;
    for (std::string line; std::getline(conf, line);) {
        line = line.substr(0, line.find(';'));
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        key.erase(key.find_last_not_of(' ') + 1);
        value.erase(0, value.find_first_not_of(' '));
        v[key] = value;
    }
    int cell = 0, block = 0, shift = 0;
    std::istringstream(v["elSize"]) >> cell;
    std::istringstream(v["block"]) >> block;
    std::istringstream(v["shiftBlock"]) >> shift;
    ASSERT_GT(cell, 0);

    const std::string board = "data/share/main/GameProcess ";
    // Single cells and frame strips of cells.
    for (const char* name : {"cell_fill.png", "cell_cross.png", "cell_shine.png", "cell_locked.png", "selection.png",
                             "selection_yes.png", "selection_no.png"}) {
        const std::string* png = fFind(board + name);
        ASSERT_NE(png, nullptr) << name;
        EXPECT_EQ(fPngHeight(*png), cell) << name;
        EXPECT_EQ(fPngWidth(*png) % cell, 0) << name;
    }
    // The tiles cover a block and the margin round it, drawn at the design
    // cell or a whole multiple of it (levels stretch them to their cells).
    for (const char* key : {"tile", "tile_fives"}) {
        const std::string* tile = fFind(v[key]);
        ASSERT_NE(tile, nullptr) << key;
        const int side = block * cell - 2 * shift;
        EXPECT_EQ(fPngWidth(*tile) % side, 0) << key;
        EXPECT_EQ(fPngHeight(*tile), fPngWidth(*tile)) << key;
    }
}

// Every clue number of every level stands apart from its neighbours, by the
// clue font's glyph boxes: along its strip (numbers "interval" apart) and
// across to the next line (a cell apart), so "10 11" never reads as "1011".
TEST_F(BuiltContent, EveryClueNumberStandsApartFromItsNeighbours) {
    constexpr float kGap = 3.0f;
    pugi::xml_document numbers, font;
    ASSERT_TRUE(fParse("data/share/main/GameProcess numbers.xml", numbers));
    ASSERT_TRUE(fParse("data/share/font clue.xml", font));
    const float alongRow = numbers.first_child().child("numbersLeft").attribute("interval").as_float();
    const float alongColumn = numbers.first_child().child("numbersUp").attribute("interval").as_float();
    std::map<unsigned, pugi::xml_node> glyphs;
    for (pugi::xml_node c : font.child("font").child("chars").children("char")) glyphs[c.attribute("id").as_uint()] = c;
    float height = 0;
    for (char d = '0'; d <= '9'; ++d) {
        ASSERT_TRUE(glyphs.count(d)) << d;
        height = std::max(height, glyphs[d].attribute("height").as_float());
    }
    // Ink from left to right of a number drawn centred on 0.
    auto span = [&](int value) {
        const std::string text = std::to_string(value);
        float width = 0;
        for (char d : text) width += glyphs[d].attribute("xadvance").as_float();
        float pen = -width / 2, left = 1e9f, right = -1e9f;
        for (char d : text) {
            const float x = pen + glyphs[d].attribute("xoffset").as_float();
            left = std::min(left, x);
            right = std::max(right, x + glyphs[d].attribute("width").as_float());
            pen += glyphs[d].attribute("xadvance").as_float();
        }
        return std::pair{left, right};
    };
    EXPECT_LE(height + kGap, alongColumn) << "a column's numbers stand one above the other";
    for (const auto& [path, group] : sGroups) {
        if (path.find("data/share/levels/") != 0) continue;
        for (const auto& [file, bytes] : group.files) {
            pugi::xml_document level;
            ASSERT_TRUE(level.load_buffer(bytes.data(), bytes.size())) << file;
            const pugi::xml_node s = level.document_element().child("settings");
            int w = 0, h = 0;
            float cell = 0;
            std::istringstream(s.attribute("grid").value()) >> w >> h;
            std::istringstream(s.attribute("elSize").value()) >> cell;
            std::vector<bool> full;
            for (pugi::xml_node c : level.document_element().child("gElements").children())
                full.push_back(c.attribute("type").as_int() == 100);
            ASSERT_EQ(full.size(), size_t(w) * h) << file;
            auto clues = [&](int first, int step, int count) {
                std::vector<int> out;
                int run = 0;
                for (int i = 0; i <= count; ++i) {
                    if (i < count && full[first + i * step]) {
                        ++run;
                    } else if (run) {
                        out.push_back(run);
                        run = 0;
                    }
                }
                if (out.empty()) out.push_back(0);
                return out;
            };
            EXPECT_LE(height + kGap, cell) << file << ": rows of clues stand one above the other";
            const std::string where = path + " " + file;
            // Row clues side by side along their strip.
            for (int r = 0; r < h; ++r) {
                const std::vector<int> row = clues(r * w, 1, w);
                for (size_t k = 1; k < row.size(); ++k)
                    EXPECT_LE(span(row[k - 1]).second + kGap, alongRow + span(row[k]).first)
                        << where << " row " << r << ": " << row[k - 1] << " and " << row[k];
            }
            // Column clues side by side across columns, counted from the board.
            std::vector<int> previous;
            for (int c = 0; c < w; ++c) {
                const std::vector<int> column = clues(c, w, h);
                for (size_t k = 1; c > 0 && k <= std::min(previous.size(), column.size()); ++k) {
                    const int a = previous[previous.size() - k], b = column[column.size() - k];
                    EXPECT_LE(span(a).second + kGap, cell + span(b).first)
                        << where << " columns " << c - 1 << " and " << c << ": " << a << " and " << b;
                }
                previous = column;
            }
        }
    }
}
