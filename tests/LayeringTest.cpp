// Layering: every #include of the product folders points down or sideways, never up.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// What each product folder may include of the others (its own folder always).
const std::map<std::string, std::set<std::string>> allowed = {
    {"foundation", {}},
    {"framework", {"foundation", "controls"}},
    {"controls", {"foundation", "framework"}},
    {"filelists", {"foundation", "framework", "controls"}},
    {"app", {"foundation", "framework", "controls", "filelists"}},
};

// "folder/file.h: line N includes other/x.h" for every include that points where it may not.
std::vector<std::string> UpwardIncludes(const fs::path& root)
{
    const std::regex include(R"re(^\s*#\s*include\s*"([a-z]+)/[^"]+")re");
    std::vector<std::string> found;
    for (const auto& [folder, others] : allowed) {
        if (!fs::is_directory(root / folder)) {
            found.push_back(folder + ": missing");
            continue;
        }
        for (const auto& entry : fs::directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (extension != ".h" && extension != ".cpp") continue;
            std::ifstream source(entry.path());
            std::string line;
            for (int number = 1; std::getline(source, line); ++number) {
                std::smatch match;
                if (!std::regex_search(line, match, include)) continue;
                const std::string target = match[1];
                if (target == folder || others.count(target) || !allowed.count(target)) continue;
                found.push_back(folder + "/" + entry.path().filename().string() + ": line " +
                                std::to_string(number) + " includes " + target + "/");
            }
        }
    }
    return found;
}

} // namespace

TEST(LayeringTest, NoIncludePointsUpward)
{
    const fs::path root = KELVANE_SOURCE_DIR;
    const std::vector<std::string> upward = UpwardIncludes(root);
    std::string listing;
    for (const std::string& place : upward) listing += "\n  " + place;
    EXPECT_TRUE(upward.empty()) << "includes that point upward:" << listing;
}
