// Builds little-endian test input by hand, independently of the writer under
// test, so that a fault in the writer cannot hide the same fault in a reader.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace horavia::base::test {

struct TestBytes {
  std::vector<std::uint8_t> bytes;

  TestBytes& dw(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return *this;
  }
  TestBytes& dws(std::initializer_list<std::uint32_t> vs) {
    for (std::uint32_t v : vs) dw(v);
    return *this;
  }
  TestBytes& z(const std::string& s) {  // z-string
    bytes.insert(bytes.end(), s.begin(), s.end());
    bytes.push_back(0);
    return *this;
  }
  TestBytes& counted(const std::string& s) {  // counted string or block
    dw(static_cast<std::uint32_t>(s.size()));
    bytes.insert(bytes.end(), s.begin(), s.end());
    return *this;
  }
  TestBytes& zeros(std::size_t n) {
    bytes.insert(bytes.end(), n, 0);
    return *this;
  }
  TestBytes& append(const std::vector<std::uint8_t>& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
  }
  std::size_t size() const { return bytes.size(); }
};

}  // namespace horavia::base::test
