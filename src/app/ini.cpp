#include "app/ini.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <limits>
#include <map>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/blank.h"
#include "platform/files/replace_file.h"

struct IniItem {
    std::string tag;
    std::string value;
};

struct IniSection {
    std::string name;
    std::vector<IniItem> items;
};

struct IniStore {
    bool autoSort;
    std::vector<IniSection> sections;
};

namespace {

using namespace ini;
using platform::isBlank;

constexpr std::size_t kReadChunk = 4096;  // [bytes] taken by one read()
constexpr int kTemporaryNames = 1000;     // ini$$0.TMP .. ini$$999.TMP
constexpr std::string_view kTemporaryPrefix = "ini$$";
constexpr std::string_view kTemporaryExtension = ".TMP";
constexpr std::string_view kLineEnd = "\r\n";

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view trimLeft(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view trimRight(std::string_view text) {
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view trim(std::string_view text) {
    return trimRight(trimLeft(text));
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

// Alphabetical ignoring case; bytes above 0x7f sort after the ASCII letters.
bool beforeName(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(lower(x)) < static_cast<unsigned char>(lower(y));
    });
}

// Where an entry of this name is or belongs: the first entry that does not sort before it when
// the store is sorted, else the matching entry or the end.
template <typename Entries, typename NameOf>
auto placeOf(const IniStore& store, Entries& entries, std::string_view name, NameOf nameOf) {
    if (store.autoSort) {
        return std::partition_point(entries.begin(), entries.end(), [&](const auto& entry) {
            return beforeName(nameOf(entry), name);
        });
    }
    return std::find_if(entries.begin(), entries.end(),
                        [&](const auto& entry) { return sameName(nameOf(entry), name); });
}

const std::string& sectionName(const IniSection& section) {
    return section.name;
}
const std::string& itemTag(const IniItem& item) {
    return item.tag;
}

IniSection* findSection(IniStore& store, std::string_view name) {
    name = trim(name);
    const auto at = placeOf(store, store.sections, name, sectionName);
    return at != store.sections.end() && sameName(at->name, name) ? &*at : nullptr;
}

// May throw std::bad_alloc.
IniSection& sectionFor(IniStore& store, std::string_view name) {
    name = trim(name);
    const auto at = placeOf(store, store.sections, name, sectionName);
    if (at != store.sections.end() && sameName(at->name, name)) return *at;
    return *store.sections.insert(at, IniSection{std::string(name), {}});
}

// An item of the same tag is replaced, in its place. May throw std::bad_alloc.
void putText(IniStore& store, std::string_view section, std::string_view tag,
             std::string_view value) {
    IniSection& target = sectionFor(store, section);
    tag = trim(tag);
    const auto at = placeOf(store, target.items, tag, itemTag);
    IniItem item{std::string(tag), std::string(value)};
    if (at != target.items.end() && sameName(at->tag, tag)) {
        *at = std::move(item);
    } else {
        target.items.insert(at, std::move(item));
    }
}

// Optional white space, at most one sign directly before the digits, the digits, optional white
// space; the value within int range.
bool parseInteger(std::string_view text, int& value) {
    text = trim(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || negative)) text.remove_prefix(1);
    if (text.empty() || text.front() < '0' || text.front() > '9') return false;
    // The magnitude of the most negative int does not fit an int: parse it wider.
    std::int64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    const std::int64_t parsed = negative ? -magnitude : magnitude;
    if (parsed < std::numeric_limits<int>::min() || parsed > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(parsed);
    return true;
}

// ---- reading

// Orders names alphabetically ignoring case, as the sorted store does.
struct NameOrder {
    bool operator()(std::string_view a, std::string_view b) const { return beforeName(a, b); }
};

// Two lists sorted by name, each name once, as one; an entry in both is combine(old, incoming).
// May throw std::bad_alloc.
template <typename Entry, typename NameOf, typename Combine>
std::vector<Entry> mergeByName(std::vector<Entry>& old, std::vector<Entry>& incoming, NameOf nameOf,
                               Combine combine) {
    if (old.empty()) return std::move(incoming);
    std::vector<Entry> merged;
    merged.reserve(old.size() + incoming.size());
    auto o = old.begin();
    auto i = incoming.begin();
    while (o != old.end() && i != incoming.end()) {
        if (beforeName(nameOf(*o), nameOf(*i))) {
            merged.push_back(std::move(*o++));
        } else if (beforeName(nameOf(*i), nameOf(*o))) {
            merged.push_back(std::move(*i++));
        } else {
            merged.push_back(combine(std::move(*o++), std::move(*i++)));
        }
    }
    std::move(o, old.end(), std::back_inserter(merged));
    std::move(i, incoming.end(), std::back_inserter(merged));
    return merged;
}

// The items of one section in the order they were read, sorted once when the file has ended:
// of several items with the same tag the last one read stands, as if each had replaced the one
// before. Sorting item by item as they come costs a move of half the section per item, which
// makes a large file take minutes. May throw std::bad_alloc.
void sortAndReplaceRepeated(std::vector<IniItem>& items) {
    std::stable_sort(items.begin(), items.end(),
                     [](const IniItem& a, const IniItem& b) { return beforeName(a.tag, b.tag); });
    auto kept = items.begin();
    for (auto at = items.begin(); at != items.end(); ++at) {
        const auto next = std::next(at);
        if (next != items.end() && sameName(at->tag, next->tag)) continue;  // a later one stands
        if (kept != at) *kept = std::move(*at);
        ++kept;
    }
    items.erase(kept, items.end());
}

// Splits the file's bytes into lines and files each line. A line ends at CR, LF or NUL; CR LF and
// LF CR are one line end. A line keeps its first kLineLimit characters.
//
// An unsorted store takes every item as it comes. For a sorted store the items are gathered per
// section and go into the store in one merge at the end, with the same result.
class LineReader {
  public:
    explicit LineReader(IniStore& store) : store_(store) { line_.reserve(kLineLimit); }

    // May throw std::bad_alloc.
    void feed(std::string_view bytes) {
        for (const char c : bytes) {
            if (c == '\r' || c == '\n' || c == '\0') {
                if (pairEnd_ != 0 && c == pairEnd_) {
                    pairEnd_ = 0;  // second half of CR LF or LF CR
                    continue;
                }
                pairEnd_ = c == '\r' ? '\n' : c == '\n' ? '\r' : 0;
                endLine();
            } else {
                pairEnd_ = 0;
                if (line_.size() < static_cast<std::size_t>(kLineLimit)) line_.push_back(c);
            }
        }
    }

    // May throw std::bad_alloc.
    void finish() {
        endLine();
        if (!store_.autoSort) return;
        std::vector<IniSection> incoming;
        incoming.reserve(read_.size());
        for (auto& [name, items] : read_) {
            sortAndReplaceRepeated(items);
            incoming.push_back(IniSection{name, std::move(items)});
        }
        // A section already in the store keeps its name's spelling; a read item replaces one of
        // the same tag.
        store_.sections = mergeByName(
            store_.sections, incoming, sectionName, [](IniSection old, IniSection added) {
                old.items = mergeByName(old.items, added.items, itemTag,
                                        [](IniItem, IniItem replacing) { return replacing; });
                return old;
            });
    }

  private:
    void endLine() {
        file(line_);
        line_.clear();
    }

    void file(std::string_view line) {
        line = trimLeft(line);
        if (line.empty() || line.front() == ';') return;
        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close == std::string_view::npos || !trim(line.substr(close + 1)).empty()) return;
            section_ = trim(line.substr(1, close - 1));
            sectionItems_ = nullptr;
            inSection_ = true;
            return;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || !inSection_) return;
        const std::string_view tag = trimRight(line.substr(0, equals));
        const std::string_view value = trim(line.substr(equals + 1));
        if (tag.empty() || value.empty()) return;
        if (!store_.autoSort) {
            putText(store_, section_, tag, value);
            return;
        }
        // The first spelling of a section's name is the one it keeps.
        if (!sectionItems_) sectionItems_ = &read_.try_emplace(section_).first->second;
        sectionItems_->push_back(IniItem{std::string(tag), std::string(value)});
    }

    IniStore& store_;
    std::string line_;
    char pairEnd_ = 0;  // the line-end byte that would complete the pair begun by the last one
    std::string section_;
    bool inSection_ = false;  // items before the first section line belong nowhere
    std::map<std::string, std::vector<IniItem>, NameOrder> read_;  // sorted store: items read
    std::vector<IniItem>* sectionItems_ = nullptr;  // where the current section's items go
};

// ---- writing

std::string fileText(const IniStore& store) {
    std::string text;
    for (const IniSection& section : store.sections) {
        text.append("[").append(section.name).append("]").append(kLineEnd);
        for (const IniItem& item : section.items) {
            text.append(item.tag).append(" = ").append(item.value).append(kLineEnd);
        }
        text.append(kLineEnd);
    }
    return text;
}

// ini$$<n>.TMP beside the target, n from 0 to 999; the save takes the first that is free and
// never touches one that exists: it may be a file another program left there.
std::string temporaryName(int n) {
    if (n >= kTemporaryNames) return {};
    std::array<char, 4> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), n).ptr;
    return std::string(kTemporaryPrefix).append(digits.data(), end).append(kTemporaryExtension);
}

int codeOf(const files::SaveResult& saved) {
    switch (saved.failure) {
        case files::SaveFailure::None:
            return 0;
        case files::SaveFailure::NoTemporaryName:
            return kNoTemporaryName;
        case files::SaveFailure::TemporaryNotCreated:
            return kTemporaryNotCreated;
        case files::SaveFailure::Unresolvable:
        case files::SaveFailure::NotOpened:
            return kAccessDenied;
        default:
            return kIoError;
    }
}

}  // namespace

IniText Ini_New(int autoSort) {
    return new (std::nothrow) IniStore{autoSort != 0, {}};
}

void Ini_Dispose(IniText store) {
    delete store;
}

int Ini_ReadFromFile(IniText store, const char* path) {
    if (!store || !path) return kNoStore;
    try {
        LineReader reader(*store);
        switch (files::readChunks(path, kReadChunk,
                                  [&](std::string_view chunk) { reader.feed(chunk); })) {
            case files::ReadFailure::None:
                reader.finish();
                return 0;
            case files::ReadFailure::NotFound:
                return kFileNotFound;
            case files::ReadFailure::NotOpened:
                return kCannotOpen;
            case files::ReadFailure::ReadFailed:
                return kIoError;
        }
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    }
    return kIoError;
}

int Ini_WriteToFile(IniText store, const char* path) {
    if (!store || !path) return kNoStore;
    try {
        // The check is made on the file a link leads to, which is the one replaced.
        std::string target = path;
        if (int error = 0; !files::followLinks(target, error) || !files::targetWritable(target))
            return kAccessDenied;
        const std::string text = fileText(*store);
        files::SaveOptions options;
        options.temporaryName = temporaryName;
        return codeOf(files::replaceFile(target, text, options));
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    }
}

int Ini_PutInt(IniText store, const char* section, const char* tag, int value) {
    if (!store || !section || !tag) return kNoStore;
    std::array<char, 12> text{};  // "-2147483648"
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    try {
        putText(*store, section, tag, std::string_view(text.data(), end));
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    }
    return 0;
}

int Ini_GetInt(IniText store, const char* section, const char* tag, int* value) {
    if (!store || !section || !tag || !value) return kNoStore;
    IniSection* found = findSection(*store, section);
    if (!found) return 0;
    const std::string_view wanted = trim(tag);
    const auto item = placeOf(*store, found->items, wanted, itemTag);
    if (item == found->items.end() || !sameName(item->tag, wanted)) return 0;
    return parseInteger(item->value, *value) ? 1 : kNotAnInteger;
}
