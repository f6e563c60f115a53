#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Files and folders for the engine: the engine never calls the operating
// system directly. Paths use "/" as separator.
namespace host {

// What a path names.
enum class KE_PATH_KIND : int32_t {
    kNONE = 0,    // nothing there
    kFILE = 1,    // a file, or anything that is not a folder
    kFOLDER = 2,  // a folder
};
KE_PATH_KIND fPathKind(const std::string& path);

// Size and modification time of a file; false when it cannot be read.
bool fFileStamp(const std::string& path, uint64_t& size, int64_t& modifiedNs);

// Names in the folder matching the shell-style pattern ("*" for all), files
// (folders false) or sub-folders (folders true), without "." and "..", sorted
// by name so that every run sees the same order. False when the folder cannot
// be opened.
bool fListFolder(const std::string& path, const std::string& pattern, bool folders, std::vector<std::string>& names);

// True for a symbolic link (not followed).
bool fIsLink(const std::string& path);

// What fReadRegularFile found at a path.
enum class FileRead {
    kREAD,           // a regular file, or a link to one, read whole
    kMISSING,        // nothing there
    kDANGLING_LINK,  // a symbolic link to nothing
    kFOLDER,         // a folder, or a link to one
    kNOT_REGULAR,    // a FIFO, device or socket, or a link to one
    kTOO_LARGE,      // a regular file over the limit
    kUNREADABLE,     // there, but it cannot be opened or read
};

// Reads a regular file whole, at most limit bytes. Anything else is refused
// before it is opened, so a FIFO cannot block and a device cannot stream
// without end. Bytes stay empty unless the answer is kREAD.
FileRead fReadRegularFile(const std::string& path, uint64_t limit, std::string& bytes);

// Where a chain of symbolic links ends (the path itself when it is no
// link), relative targets taken from the link's folder; that end need not
// exist. Empty for a chain that does not end.
std::string fFollowLinks(const std::string& path);

// Keeps bytes beside path as path + ".1.bak", ".2.bak"...: the first free
// number, never over anything there. When the last one kept already holds
// the same bytes it is answered again. The kept path, or empty when nothing
// could be written (the reason on standard error).
std::string fKeepCopy(const std::string& path, const std::string& bytes);
// Moves what is at path (a file, a FIFO or device node, a link itself) to
// the same kind of free name; the kept path, or empty.
std::string fKeepByMove(const std::string& path);

// Makes one folder; an existing folder counts as success.
bool fMakeFolder(const std::string& path);
bool fRemoveFile(const std::string& path);
bool fRemoveFolder(const std::string& path);

// The process's current folder, or an empty text when it cannot be told.
std::string fCurrentFolder();
bool fSetCurrentFolder(const std::string& path);

// A read-only view of a whole file, shared by every thread; null when the
// file cannot be mapped (an empty file maps to null too). Files that are
// replaced by a rename keep old views valid; one rewritten in place is not
// safe to read through a view.
const uint8_t* fMapFile(const std::string& path, uint64_t& size);
void fUnmapFile(const uint8_t* data, uint64_t size);

// Pushes the stream's written bytes to the disk (flush, then sync).
bool fSyncFile(std::FILE* file);
// Renames a file over another in the same folder in one step, then syncs
// the folder so the new entry survives a power cut. True once renamed (a
// folder that cannot be synced is reported on standard error).
bool fReplaceFile(const std::string& from, const std::string& to);

}  // namespace host
