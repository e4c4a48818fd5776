// What the command needs from its system: arguments, files and the console, all in UTF-8.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace zanvorobatch {

// The command line in UTF-8, whatever the system's code page.
std::vector<std::string> Arguments(int argc, char** argv);

// Standard input and output carry bytes as they are (no line-end translation).
void UseBinaryStandardStreams();

// A file opened for reading bytes, by its UTF-8 name; null (errno set) when it cannot be.
std::FILE* OpenForReading(const std::string& utf8Path);

// Text for a person: to a console as characters, elsewhere as UTF-8 bytes.
void WriteText(std::FILE* stream, std::string_view utf8);

}  // namespace zanvorobatch
