// Writes the C++ of a binding: per namespace a header and a source, or with
// one file pair per class as well.
#ifndef VXXML_GENERATOR_EMITTER_H
#define VXXML_GENERATOR_EMITTER_H

#include <map>
#include <string>

#include "Binding.h"

namespace vxgen {

struct EmitOptions {
  bool filePerType = false;
};

/// The files to write: name (no directory) to content.
std::map<std::string, std::string> Emit(const Binding& binding, const EmitOptions& options);

}  // namespace vxgen

#endif  // VXXML_GENERATOR_EMITTER_H
