// Where the module lies on disk, and the bundle resources beside it:
// <name>.vst3/Contents/<arch>-linux/<name>.so holds its resources in
// <name>.vst3/Contents/Resources/.
#pragma once

#include <string>
#include <string_view>

namespace Steinberg {

// The absolute path of the shared object (or program) this code is linked into;
// empty when the system cannot tell.
std::string getModulePath();

// "<bundle>/Contents/Resources/" for the module; empty when it is not inside a bundle.
std::string getModuleResourcesPath();

// The same for a given module path: empty unless the module's folder lies in a
// folder named "Contents". A relative path is taken from the current directory.
std::string resourcesPathForModule(std::string_view modulePath);

}  // namespace Steinberg
