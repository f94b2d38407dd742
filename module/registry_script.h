// Registry scripts: the keys and values a registration writes, as text the
// component carries (resources 11000 to 11002), run against the root of
// class registrations. The form:
//
//     HKCR
//     {
//         NoRemove CLSID
//         {
//             ForceRemove '{...}' = s 'Name'
//             {
//                 InprocServer32 = s '%MODULE%'
//                 {
//                     val ThreadingModel = s 'Both'
//                 }
//             }
//         }
//     }
//
// A name is a bare word of letters, digits, '.', '_' and '-', or quoted in
// single quotes (a quote inside doubled). "= s" gives a key its default
// value; "val" names a value of the key. %NAME% in a quoted text is replaced
// by the replacement of that name. Registering writes every key and value;
// a ForceRemove key is removed first, with all below it. Unregistering
// removes every key but a NoRemove one, whose keys below are visited.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "module/registration.h"

namespace veldmark {

class RegistryScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using ScriptReplacements = std::map<std::string, std::string>;  // "MODULE" -> its text

enum class ScriptAction { Register, Unregister };

// Throws RegistryScriptError for a script that does not read, before
// anything is changed; the root's RegistrationError passes through.
void RunRegistryScript(std::string_view script, const ScriptReplacements& replacements, ScriptAction action,
                       ClassesRoot& root);

}  // namespace veldmark
