// Reads a WinHelp 3.1 help file back through its own structures, for the help file's tests.
#include "HelpFileReader.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

const uint32_t none = 0xFFFFFFFF;
const size_t topicBlockSize = 0x1000;   // uncompressed topic blocks
const size_t recordHeaderSize = 0x15;

uint16_t Word(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Long(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// Variable-length numbers of paragraph records: the low bit says whether the long form is used.
uint32_t CompressedLong(const uint8_t*& p)
{
    uint32_t value = (p[0] & 1) ? (Long(p) - 0x80000000u) / 2 : (Word(p) - 0x8000u) / 2;
    p += (p[0] & 1) ? 4 : 2;
    return value;
}

uint32_t CompressedWord(const uint8_t*& p)
{
    uint32_t value = (p[0] & 1) ? Word(p) / 2u : p[0] / 2u;
    p += (p[0] & 1) ? 2 : 1;
    return value;
}

size_t StringEnd(const uint8_t* p, const uint8_t* end)
{
    const void* nul = memchr(p, 0, end - p);
    return nul ? static_cast<const uint8_t*>(nul) - p : 0;
}

} // namespace

int32_t HelpContextHash(const char* name)
{
    uint32_t hash = 0;
    for (; *name; ++name) {
        char c = *name;
        uint32_t x = 0;
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c >= 'A' && c <= 'Z') x = c - 'A' + 17;
        else if (c >= '1' && c <= '9') x = c - '0';
        else if (c == '0') x = 10;
        else if (c == '.') x = 12;
        else if (c == '_') x = 13;
        hash = hash * 43 + x;
    }
    return static_cast<int32_t>(hash);
}

bool HelpFileReader::Fail(const std::string& why)
{
    error = why;
    return false;
}

bool HelpFileReader::Load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail("cannot open " + path);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (bytes.size() < 16 || Long(Bytes(bytes)) != 0x00035F3F) return Fail("no help file header");
    if (Long(Bytes(bytes) + 12) != bytes.size()) return Fail("file size in the header differs");
    return ReadDirectory() && ReadSystem() && ReadContexts() && ReadNumbers() && ReadTopics();
}

std::vector<std::string> HelpFileReader::FileNames() const
{
    std::vector<std::string> names;
    for (const auto& file : files) names.push_back(file.first);
    return names;
}

const std::string* HelpFileReader::File(const char* name)
{
    auto found = files.find(name);
    if (found == files.end()) {
        Fail(std::string("no internal file ") + name);
        return nullptr;
    }
    return &found->second;
}

const HelpFileReader::Topic* HelpFileReader::TopicAt(uint32_t offset) const
{
    for (const Topic& topic : topics) {
        if (topic.offset == offset) return &topic;
    }
    return nullptr;
}

bool HelpFileReader::WalkTree(const std::string& data, size_t (*visit)(Entry, Entry, void*), void* context)
{
    const size_t headerSize = 38;
    if (data.size() < headerSize || Word(Bytes(data)) != 0x293B) return Fail("bad B+ tree header");
    const uint8_t* header = Bytes(data);
    size_t pageSize = Word(header + 4);
    uint16_t page = Word(header + 26);
    int levels = static_cast<int16_t>(Word(header + 32));
    auto pageAt = [&](uint16_t n) { return headerSize + n * pageSize + pageSize <= data.size() ? header + headerSize + n * pageSize : nullptr; };
    for (; levels > 1; --levels) {          // down the leftmost index entries to the first leaf
        const uint8_t* index = pageAt(page);
        if (!index) return Fail("B+ tree index page outside the file");
        page = Word(index + 4);
    }
    for (int guard = 0; page != 0xFFFF && guard < 10000; ++guard) {
        const uint8_t* leaf = pageAt(page);
        if (!leaf) return Fail("B+ tree leaf page outside the file");
        const uint8_t* entry = leaf + 8;
        for (int i = 0, count = static_cast<int16_t>(Word(leaf + 2)); i < count; ++i) {
            size_t size = visit(entry, leaf + pageSize, context);
            if (size == 0) return Fail("malformed B+ tree entry");
            entry += size;
        }
        page = Word(leaf + 6);
    }
    return true;
}

bool HelpFileReader::ReadDirectory()
{
    uint32_t start = Long(Bytes(bytes) + 4);
    if (start + 9 > bytes.size()) return Fail("directory outside the file");
    std::string directory = bytes.substr(start + 9, Long(Bytes(bytes) + start + 4));
    struct Found { std::string* all; std::map<std::string, std::string>* files; bool ok = true; } found{&bytes, &files};
    bool walked = WalkTree(directory, [](Entry entry, Entry end, void* context) -> size_t {
        auto* f = static_cast<Found*>(context);
        size_t length = StringEnd(entry, end);
        if (length == 0 || entry + length + 5 > end) return 0;
        uint32_t offset = Long(entry + length + 1);
        const uint8_t* all = Bytes(*f->all);
        if (offset + 9 > f->all->size() || offset + Long(all + offset) > f->all->size()) return 0;
        (*f->files)[std::string(reinterpret_cast<const char*>(entry), length)] =
            f->all->substr(offset + 9, Long(all + offset + 4));
        return length + 5;
    }, &found);
    return walked;
}

bool HelpFileReader::ReadSystem()
{
    const std::string* system = File("|SYSTEM");
    if (!system) return false;
    const uint8_t* p = Bytes(*system);
    const uint8_t* end = p + system->size();
    if (system->size() < 12 || Word(p) != 0x036C || Word(p + 4) != 1 || Word(p + 2) != 21)
        return Fail("not a WinHelp 3.1 system header");
    if (Word(p + 10) != 0) return Fail("compressed topics are not read here");
    for (p += 12; p + 4 <= end && p + 4 + Word(p + 2) <= end; p += 4 + Word(p + 2)) {
        const uint8_t* data = p + 4;
        switch (Word(p)) {
        case 1: title.assign(reinterpret_cast<const char*>(data), StringEnd(data, data + Word(p + 2))); break;
        case 3: contentsOffset = Long(data); break;
        case 11: charset = data[0]; break;
        default: break;
        }
    }
    return true;
}

bool HelpFileReader::ReadContexts()
{
    const std::string* context = File("|CONTEXT");
    if (!context) return false;
    return WalkTree(*context, [](Entry entry, Entry end, void* map) -> size_t {
        if (entry + 8 > end) return 0;
        (*static_cast<std::map<int32_t, uint32_t>*>(map))[static_cast<int32_t>(Long(entry))] = Long(entry + 4);
        return 8;
    }, &contexts);
}

bool HelpFileReader::ReadNumbers()
{
    const std::string* map = File("|CTXOMAP");
    if (!map) return false;
    if (map->size() < 2 || map->size() < 2 + 8u * Word(Bytes(*map))) return Fail("short |CTXOMAP");
    for (int i = 0; i < Word(Bytes(*map)); ++i) {
        const uint8_t* entry = Bytes(*map) + 2 + 8 * i;
        numbers[static_cast<int32_t>(Long(entry))] = Long(entry + 4);
    }
    return true;
}

bool HelpFileReader::ReadTopics()
{
    const std::string* topicFile = File("|TOPIC");
    if (!topicFile) return false;
    if (topicFile->size() < 12) return Fail("empty |TOPIC");
    const uint8_t* data = Bytes(*topicFile);
    uint32_t position = Long(data + 4);     // the first block's first record
    uint32_t block = none, characters = 0;
    for (int guard = 0; position != none; ++guard) {
        uint32_t at = (position - 12) >> 14, inBlock = (position - 12) & 0x3FFF;
        size_t offset = at * topicBlockSize + 12 + inBlock;
        if (guard > 100000 || offset + recordHeaderSize > topicFile->size()) return Fail("record outside |TOPIC");
        const uint8_t* record = data + offset;
        uint32_t size = Long(record);
        if (offset + size > topicFile->size() || Long(record + 0x10) > size || Long(record + 4) != size - Long(record + 0x10))
            return Fail("record sizes do not add up (phrase compression is not expected)");
        if (at != block) {
            block = at;
            characters = 0;
        }
        if (record[0x14] == 0x02) {
            Topic topic;
            topic.offset = block * 0x8000 + characters;
            topic.title.assign(reinterpret_cast<const char*>(record) + Long(record + 0x10), Long(record + 4));
            topics.push_back(topic);
        } else if (record[0x14] == 0x20) {
            uint32_t length = 0;
            if (topics.empty()) return Fail("text before the first topic header");
            if (!ReadParagraph(topics.back(), record, size, length)) return false;
            characters += length;
        } else {
            return Fail("unexpected record type " + std::to_string(record[0x14]));
        }
        position = Long(record + 0x0C);
    }
    return true;
}

bool HelpFileReader::ReadParagraph(Topic& topic, const uint8_t* record, uint32_t size, uint32_t& length)
{
    const uint8_t* command = record + recordHeaderSize;
    const uint8_t* commandsEnd = record + Long(record + 0x10);
    const uint8_t* text = commandsEnd;
    const uint8_t* textEnd = record + size;
    CompressedLong(command);
    length = CompressedWord(command);
    command += 4;
    if (Word(command) != 0) return Fail("paragraph settings are not read here");
    command += 2;
    while (command < commandsEnd && text < textEnd) {
        size_t n = StringEnd(text, textEnd);
        if (text + n >= textEnd) return Fail("paragraph string without its end");
        topic.text.append(reinterpret_cast<const char*>(text), n);
        text += n + 1;
        uint8_t code = *command++;
        if (code == 0xFF) return true;
        if (code == 0x80) command += 2;
        else if (code == 0x81 || code == 0x82) topic.text += '\n';
        else if (code == 0xE2 || code == 0xE6 || code == 0xE3 || code == 0xE7) {
            ((code & 1) ? topic.jumps : topic.popups).push_back(static_cast<int32_t>(Long(command)));
            command += 4;
        } else if (code != 0x83 && code != 0x89) {
            return Fail("unexpected formatting command " + std::to_string(code));
        }
    }
    return Fail("paragraph without its end command");
}
