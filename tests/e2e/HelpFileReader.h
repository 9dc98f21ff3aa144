// Reads a WinHelp 3.1 help file back through its own structures (internal file system,
// B+ trees, |SYSTEM, |TOPIC, |CONTEXT, |CTXOMAP), for the tests of the built Kelvane.HLP.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The WinHelp hash of a context name, as jumps and |CONTEXT carry it.
int32_t HelpContextHash(const char* name);

class HelpFileReader {
public:
    struct Topic {
        uint32_t offset = 0;            // TOPICOFFSET: block * 0x8000 + characters before it
        std::string title;              // Shift-JIS
        std::string text;               // Shift-JIS; "\n" ends a paragraph
        std::vector<int32_t> jumps;     // hashes of topic jumps
        std::vector<int32_t> popups;    // hashes of pop-up jumps
    };

    // False, with Error() telling why, when the file is missing or malformed.
    bool Load(const std::string& path);
    const std::string& Error() const { return error; }

    std::vector<std::string> FileNames() const;
    bool HasFile(const std::string& name) const { return files.count(name) != 0; }
    const std::string& Title() const { return title; }
    uint32_t ContentsOffset() const { return contentsOffset; }
    int Charset() const { return charset; }
    const std::map<int32_t, uint32_t>& Contexts() const { return contexts; }
    const std::map<int32_t, uint32_t>& Numbers() const { return numbers; }
    const std::vector<Topic>& Topics() const { return topics; }
    const Topic* TopicAt(uint32_t offset) const;

private:
    using Entry = const uint8_t*;
    bool Fail(const std::string& why);
    bool ReadDirectory();
    bool ReadSystem();
    bool ReadContexts();
    bool ReadNumbers();
    bool ReadTopics();
    bool ReadParagraph(Topic& topic, const uint8_t* record, uint32_t size, uint32_t& length);
    // Calls visit(entry, end) for every leaf entry of the B+ tree at data; visit returns
    // the entry's size, or 0 when it is malformed.
    bool WalkTree(const std::string& data, size_t (*visit)(Entry, Entry, void*), void* context);
    const std::string* File(const char* name);

    std::string bytes;
    std::map<std::string, std::string> files;   // internal file name -> content after its header
    std::string title;
    uint32_t contentsOffset = 0xFFFFFFFF;
    int charset = -1;
    std::map<int32_t, uint32_t> contexts;
    std::map<int32_t, uint32_t> numbers;
    std::vector<Topic> topics;
    std::string error;
};
