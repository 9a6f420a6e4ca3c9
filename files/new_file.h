#pragma once
// The file-system steps of the atomic save that each system does its own way:
// creating a file that must not exist yet, giving it the mode of the file it
// replaces, and pushing its bytes to the disk.
#include <cstdio>
#include <string>

namespace zm48d {

// Creates `path` for binary writing and opens it; fails when a file of that name
// exists already (errno EEXIST), so that no other writer's file is taken over.
// Null on failure, with errno set.
std::FILE* CreateNewFile(const std::string& path);

// Gives the open `file` the permission bits of `replaced`, so that a save keeps
// a file private that was private; true when there is no such file to copy
// from. False on failure, with errno set.
bool KeepModeOf(const std::string& replaced, std::FILE* file);

// Flushes the stream and has the system write the file's bytes to the disk.
bool FlushToDisk(std::FILE* file);

}  // namespace zm48d
