#pragma once
// The standard output's descriptor, written and closed the way each system
// does it. Each returns false with the system's error number in `error`.
#include <string_view>

namespace zm48d::cli {

// One write of some of `bytes`: how many went out, or -1 with errno set.
long WriteSomeToOutput(std::string_view bytes);
// A pipe or a terminal has no disk to reach; a file's bytes are pushed to it.
bool SyncOutputIfFile(int& error);
// Closes the output, reporting what the close reports (a network file system
// may say only now that the data did not arrive), and puts the null device in
// its place, so that later writes go nowhere.
bool CloseOutput(int& error);

}  // namespace zm48d::cli
