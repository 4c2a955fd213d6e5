#pragma once

#include <string>
#include <vector>

namespace velmora {

/** One thing the program's command line asks for, in the order the words give them. */
struct CommandLineStep {
    enum Kind {
        /** "-graph" min max increment: the level axis (a missing or non-numeric number reads as 0). */
        Graph,
        /** "-8va": full-octave bands. */
        Octaves,
        /** "-third": third-octave bands. */
        ThirdOctaves,
        /** Any other word: a data file to read. */
        File,
        /** Every word after "-compare": a data file (or comparison list) for the comparison set. */
        CompareFile,
    };
    Kind kind = File;
    double numbers[3] = {0.0, 0.0, 0.0};
    /** The file's name as the system gave it. */
    std::string path;
};

/** The words of a command-line text: runs of spaces separate them; quotes mean nothing. */
std::vector<std::string> SplitWords(const std::string& text);

/**
 * The steps the words ask for, left to right; switches are compared without regard to case. Later
 * steps override earlier ones when they are carried out in order. After "-compare" no word is a
 * switch: each is a file for the comparison set.
 */
std::vector<CommandLineStep> ReadCommandLine(const std::vector<std::string>& words);

} // namespace velmora
