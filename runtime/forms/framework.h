// Installs the window framework into the runtime core's hooks: the template
// reader, the start window, the registry, window idle events, window
// objects and their message filter, property access and the system
// service routine.
#pragma once

namespace runtime::forms {

// Fills every slot of runtime::Hooks(); to be called once before start-up.
void InstallFormsFramework();

// The shut-down's part: every loaded window is destroyed with its units,
// and the registry is emptied.
void DeleteLoadedWindows();

}  // namespace runtime::forms
