#pragma once

#include <string>

// The game's one error channel (README.md, "Errors"): a game call that
// fails answers false or a result code and first leaves here what failed.
// The board and the game object report through it alike; a failed start
// names the file it leaves in its message box, and tests read the text.
// The engine keeps its own error text and slot (KEL::fRaiseError): the game
// does not write them. Any thread: the loader and the main thread may both
// fail, so the record is kept under its own lock.
namespace game::GG_ERROR {

// Sets the error text (the failing file forgotten); answers false, so a
// failing step may end with `return GG_ERROR::fFail(...)`.
bool fFail(const std::string& text);
// A file that is missing or cannot be read: the text and the file both
// name it. Answers false.
bool fFailFile(const std::string& file);
// The last error's text, and its file when it was a file's (else empty).
std::string fText();
std::string fFile();
// Forgets the last error.
void fClear();

}  // namespace game::GG_ERROR
