// The messages the content readers give, by string id, and the status pair
// every malformed or unsupported content file yields.
#pragma once

#include <cstdint>

#include "base/ResultCode.h"

// A content file that cannot be opened at all (given by the readers' callers).
constexpr uint16_t kContentFileUnopenable = 10032;
// A content file that is damaged, malformed or of an unsupported kind.
constexpr uint16_t kContentFileDamaged = 10033;

constexpr ResultCode ContentFileDamaged() { return ResultCode::Failure(kContentFileDamaged); }
