// The host's string object: one pointer to NUL-terminated 8-bit characters that the host's
// string runtime owns, with the runtime's header just before the characters. Two header
// layouts are in use by runtimes of that kind, both of 32-bit fields:
//   count first:  reference count, length, capacity
//   count last:   allocator pointer, length, capacity, reference count
// Length and capacity count characters without the NUL; the buffer holds capacity + 1.
#pragma once

namespace pendant {

// Assigns text to the string whose characters start at chars, in place: only when its header
// reads as one of the two layouts with a reference count of exactly 1, 0 <= length <= capacity
// <= 65535 and a NUL at the length, and only when the capacity holds the text. Then the
// characters, their NUL and the length field are written, nothing else; in every other case
// (no string, shared or static text, too little room, a header that does not read as exactly
// one layout, memory that cannot be read or written) the object is left untouched and the
// result is false. The header is never read before the platform says it may be.
bool AssignInPlace(char* chars, const char* text);

}  // namespace pendant
