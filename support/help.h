// The help window: shows one topic of a help file in a window of our own,
// with the list of all topics beside it. A help file is UTF-8 text:
//   # a comment line
//   = caption of the help window
//   [5] Title of the topic with context id 5
//   Body lines; lines of one paragraph are joined, a blank line ends a
//   paragraph, a line starting with "- " starts a new line.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

struct HelpTopic {
    uint32_t context = 0;
    std::string title;
    std::string body;     // paragraphs separated by "\r\n\r\n"
};

struct HelpFile {
    std::string caption;
    std::vector<HelpTopic> topics;
};

// Parses the text of a help file. Lines before the first topic other than
// the caption and comments are ignored; a topic line with a bad number starts
// no topic (its body lines are ignored too).
HelpFile Help_Parse(const std::string& text);

// Opens the help window over owner (or brings it forward) with the topics of
// helpFile, showing the topic of context, or the first topic when the file
// has none of that id. The keys go to the topic list; Tab moves between list
// and text, Escape closes the window. Returns the help window, or null when
// the file cannot be read or holds no topic (a message box then names it).
HWND Help_Show(HWND owner, const char* helpFile, uint32_t context);
