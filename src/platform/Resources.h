#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// Program resources: byte arrays compiled into the program at build time (the catalogue, the
// glossary, logos), looked up by name without regard to case.
struct LTResource {
  const char* name;
  const unsigned char* data;
  std::size_t size;
};

class CTResources {
 public:
  // The bytes of a resource, or nothing when the program has none of that name.
  static std::optional<std::string_view> Find(std::string_view name);
  // Adds a resource; the generated resource files do this for each embedded file. A later
  // resource of the same name replaces an earlier one (tests put their own in place).
  static void Register(const LTResource& resource);
  static void Unregister(std::string_view name);
};

// Registers a resource while the program starts.
struct CTResourceRegistration {
  CTResourceRegistration(const char* name, const unsigned char* data, std::size_t size) {
    CTResources::Register(LTResource{name, data, size});
  }
};
