#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

namespace lumetra::fuzz {

// The readers that take a path get the fuzzer's bytes in a file of this process's own, rewritten
// for every input.
QString writeInput(const char *suffix, const std::uint8_t *data, std::size_t size);

} // namespace lumetra::fuzz
