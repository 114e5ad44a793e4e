// File-name endings that decide what else belongs to a file: a schematic gets
// a companion file, schematics and help files leave derived files beside them.
// Endings are compared without regard to the case of ASCII letters only, so
// that the result does not depend on the code page.
#pragma once

#include <cstddef>

constexpr const char* kSchematicEnding = ".SCH";
constexpr const char* kHelpEnding = ".HLP";

// The files that the simulator and the help system derive from a schematic or
// a help file, as extensions after the base name's dot, in the order in which
// they are removed. The first one of a schematic, "zre", is its companion
// file, which the installer itself writes.
constexpr const char* kSchematicDerivedExtensions[] = {"zre", "cir", "net", "als", "mvl",
                                                       "1op", "dat", "mif", "out"};
constexpr const char* kHelpDerivedExtensions[] = {"gid"};
constexpr const char* kCompanionExtension = kSchematicDerivedExtensions[0];

// Length of a derived file's base: the path without the three letters of its
// extension, so that the base ends with the dot.
constexpr std::size_t kExtensionLength = 3;

// True when the `length` characters of text end with `ending` (ASCII letters
// compared as capitals).
bool EndsWithIgnoringAsciiCase(const char* text, std::size_t length, const char* ending);
