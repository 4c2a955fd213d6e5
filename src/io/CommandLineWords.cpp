#include "io/CommandLineWords.h"

#include "entry/NumberText.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string_view>

namespace velmora {

namespace {

bool EqualsIgnoringCase(const std::string& a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::vector<std::string> SplitWords(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream stream(text);
    std::string word;
    while (stream >> word)
        words.push_back(word);
    return words;
}

std::vector<CommandLineStep> ReadCommandLine(const std::vector<std::string>& words)
{
    std::vector<CommandLineStep> steps;
    bool comparing = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        CommandLineStep step;
        if (comparing) {
            step.kind = CommandLineStep::CompareFile;
            step.path = word;
        } else if (EqualsIgnoringCase(word, "-compare")) {
            comparing = true;
            continue;
        } else if (EqualsIgnoringCase(word, "-graph")) {
            step.kind = CommandLineStep::Graph;
            for (double& number : step.numbers)
                if (i + 1 < words.size())
                    number = NumberOrZero(words[++i]);
        } else if (EqualsIgnoringCase(word, "-8va")) {
            step.kind = CommandLineStep::Octaves;
        } else if (EqualsIgnoringCase(word, "-third")) {
            step.kind = CommandLineStep::ThirdOctaves;
        } else {
            step.path = word;
        }
        steps.push_back(std::move(step));
    }
    return steps;
}

} // namespace velmora
