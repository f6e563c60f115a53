#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

namespace KEL {

// Display texts by key, read from a spreadsheet saved as XML ("Workbook" /
// "Worksheet" / "Table" / "Row" / cells): cell 1 of a row is the key, cell 2
// the text. A lookup never fails: a missing key gives "etwas".
class KC_STRING_TABLE {
public:
    struct KS_ENTRY {
        int32_t mRow = 0;
        std::string mKey;
        std::string mText;
    };

    KC_STRING_TABLE() = default;
    ~KC_STRING_TABLE();
    KC_STRING_TABLE(const KC_STRING_TABLE&) = delete;
    KC_STRING_TABLE& operator=(const KC_STRING_TABLE&) = delete;

    // The first "Row" of the document's first table; empty when absent.
    static pugi::xml_node fFirstRow(const pugi::xml_document& document);

    // Replaces the entries by the rows from firstRow on; answers their count.
    uint32_t fRead(pugi::xml_node firstRow);

    // The text of the first row with that key (exact), or "etwas".
    const std::string& fGet(const std::string& key) const;
    // The same text as a wide string.
    std::wstring fGetString(const std::string& key) const;

    void fClear();
    uint32_t fGetCount() const { return mCount; }
    const std::vector<KS_ENTRY*>& fGetEntries() const { return mEntries; }

    // UTF-8 to wide text; a malformed byte becomes U+FFFD.
    static std::wstring fWiden(const std::string& text);

private:
    std::vector<KS_ENTRY*> mEntries;
    uint32_t mCount = 0;
    int32_t mKeyColumn = 1;
    int32_t mTextColumn = 2;
    // Key -> first entry with it, so lookups while building screens are cheap.
    std::unordered_map<std::string, const KS_ENTRY*> mIndex;
};

}  // namespace KEL
