#pragma once

#include <QtGlobal>

// Every error number the program raises or tests, in one place. Platform
// result codes are 32-bit HRESULTs and compare as signed integers.
namespace velmora::ErrorNumber {

// Run-time errors.
constexpr qint32 SubscriptOutOfRange = 9; // a field or line the text does not have
constexpr qint32 FileNotFound = 53; // the dictionary file does not exist
constexpr qint32 InputPastEnd = 62; // the dictionary file is empty
constexpr qint32 PathFileAccess = 75; // a file exists but cannot be read, or a settings write failed
constexpr qint32 PathNotFound = 76; // a folder that does not exist
constexpr qint32 ObjectNotSet = 91; // call through an empty typed reference
constexpr qint32 UnloadedWhileShown = 364; // a modal window unloaded itself while loading
constexpr qint32 InvalidPropertyValue = 380; // a list position the list does not have
constexpr qint32 ObjectRequired = 424; // call by name through an empty reference

// Character control result codes.
constexpr qint32 CharacterNotFound
    = qint32(0x80070003); // character file or folder missing, or a refused name
constexpr qint32 InvalidArgument = qint32(0x80070057); // Speak with empty text
constexpr qint32 CharacterError = qint32(0x80042003); // invalid file, ID in use, ID not loaded
constexpr qint32 UnknownAnimation = qint32(0x80042004); // Play of a name the character lacks

} // namespace velmora::ErrorNumber
