#pragma once
// The store's results: database errors end here as text, so no exception
// crosses the layer.
#include "files/result.h"

namespace zm48d::store {

using zm48d::Result;

}  // namespace zm48d::store
