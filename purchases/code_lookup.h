#pragma once

class Messages;

// How a code typed into a field of the purchase screens was looked up.
enum class Lookup { Found, Missing, Failed };

// True when found. A missing code says "Registro não localizado!"; a refused
// read has been told already.
bool lookupAccepted(Lookup lookup, Messages& messages);
