#include "io/CommandLineWords.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(CommandLineWords, EachWordBecomesAStepLaterOnesOverridingEarlier)
{
    using Step = CommandLineStep;
    const struct {
        const char* text;
        std::vector<Step::Kind> kinds;
        std::vector<std::string> paths;
    } cases[] = {
        {"", {}, {}},
        {"  -8va   -THIRD ", {Step::Octaves, Step::ThirdOctaves}, {"", ""}},
        {"a.snd -Graph 0 100 5 b.snd", {Step::File, Step::Graph, Step::File}, {"a.snd", "", "b.snd"}},
        {"-graph", {Step::Graph}, {""}},
        {"\"my file.snd\"", {Step::File, Step::File}, {"\"my", "file.snd\""}},
        // After -compare every word is a file for the set, a switch's name included.
        {"a.snd -COMPARE b.snd -third -compare",
         {Step::File, Step::CompareFile, Step::CompareFile, Step::CompareFile},
         {"a.snd", "b.snd", "-third", "-compare"}},
        {"-third -compare", {Step::ThirdOctaves}, {""}},
    };
    for (const auto& c : cases) {
        const std::vector<Step> steps = ReadCommandLine(SplitWords(c.text));
        ASSERT_EQ(steps.size(), c.kinds.size()) << c.text;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            EXPECT_EQ(steps[i].kind, c.kinds[i]) << c.text;
            EXPECT_EQ(steps[i].path, c.paths[i]) << c.text;
        }
    }
    // The three numbers of -graph: one that is missing or not a number reads as 0.
    const std::vector<Step> graph = ReadCommandLine(SplitWords("-graph 20 abc"));
    ASSERT_EQ(graph.size(), 1u);
    EXPECT_EQ(graph[0].numbers[0], 20.0);
    EXPECT_EQ(graph[0].numbers[1], 0.0);
    EXPECT_EQ(graph[0].numbers[2], 0.0);
}

} // namespace
} // namespace velmora
