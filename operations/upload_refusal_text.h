#pragma once
// Why an upload refuses a file, naming the file: `check` prints it as its
// failure, `send` and `verify` explain their own failure with it.
#include <string>

#include "operations/configuration_files.h"
#include "protocol/upload_images.h"

namespace zm48d::ops {

// Empty for UploadRefusal::kNone.
std::string UploadRefusalText(UploadRefusal refusal, const ConfigurationFiles& files);

// A refusal of the rules files' first two lines, which the transfer page
// reports as "Arquivos incompatíveis!!" rather than as a failed upload.
bool IsHeaderRefusal(UploadRefusal refusal);

}  // namespace zm48d::ops
