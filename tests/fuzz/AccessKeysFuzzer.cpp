// Fuzzes the access-key assignment and measuring text over lists of captions split at NULs.
#include "foundation/CharText.h"
#include "framework/AccessKeys.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

void Require(bool condition)
{
    if (!condition) __builtin_trap();
}

// The "&" bytes of a caption that are characters of their own (not trail bytes).
std::vector<int> Ampersands(const std::string& text)
{
    std::vector<int> found;
    const int length = static_cast<int>(text.size());
    int position = 0;
    while (position < length) {
        if (text[position] == '&') found.push_back(position);
        position += CharLength(length - position, text.data() + position);
    }
    return found;
}

void CheckMeasuring(const std::string& caption)
{
    const THeapString measured = AccessKeyMeasuringText(false, caption.c_str());
    Require(measured.Length() <= static_cast<int>(caption.size()));
    Require(AccessKeyMeasuringText(true, caption.c_str()) == caption.c_str());
    if (Ampersands(caption).size() < 2) Require(measured == caption.c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096) return 0;
    std::vector<std::string> texts;
    const char* bytes = reinterpret_cast<const char*>(data);
    size_t start = 0;
    for (size_t i = 0; i <= size; ++i) {
        if (i == size || bytes[i] == '\0') {
            texts.emplace_back(bytes + start, i - start);
            start = i + 1;
        }
    }
    if (texts.size() > 64) return 0;

    std::vector<THeapString> captions;
    for (const std::string& text : texts) {
        CheckMeasuring(text);
        captions.emplace_back(text.c_str());
    }
    std::vector<THeapString*> list;
    for (THeapString& caption : captions) list.push_back(&caption);
    AssignAccessKeys(list.data(), static_cast<int>(list.size()));

    // Every caption with a marker now holds one key of its own or lost the marker once all
    // letters were taken; captions without a (non-empty) marker are untouched.
    std::set<unsigned char> keys;
    bool dropped = false;
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string after(captions[i].Text());
        const std::vector<int> before = Ampersands(texts[i]);
        if (before.size() < 2) {
            Require(after == texts[i]);
            continue;
        }
        Require(after.size() <= texts[i].size());
        const bool emptyRun = before[1] == before[0] + 1;
        if (emptyRun) {
            Require(after == texts[i]);
            continue;
        }
        const std::string prefix = texts[i].substr(0, before[0]);
        const std::string run = texts[i].substr(before[0] + 1, before[1] - before[0] - 1);
        const std::string suffix = texts[i].substr(before[1] + 1);
        if (after.size() == prefix.size() + 2 + suffix.size()) {
            // A key was given: one byte of its own run, or a fallback letter.
            const unsigned char key = static_cast<unsigned char>(after[prefix.size() + 1]);
            Require(after == prefix + "&" + static_cast<char>(key) + suffix);
            Require(run.find(static_cast<char>(key)) != std::string::npos || (key >= 'A' && key <= 'Z'));
            Require(!IsLeadByte(key));
            Require(keys.insert(key).second);
        } else {
            // No letter was left: only the marker (and its parentheses) went.
            dropped = true;
            Require(after == prefix + suffix ||
                    after == prefix.substr(0, prefix.size() - 1) + suffix.substr(1));
        }
    }
    if (dropped) {
        for (unsigned char letter = 'A'; letter <= 'Z'; ++letter) Require(keys.count(letter) == 1);
    }
    return 0;
}
