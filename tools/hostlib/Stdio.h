// Standard input and output of the host programs as plain bytes.
#pragma once

namespace orvane::hostprog {

// On Windows, stdin and stdout in binary mode: transcripts and reports are
// byte-exact with "\n" line ends, and message bytes read as they are.
// Elsewhere nothing to do.
void SetBinaryStdio();

// On Windows, the console also shows UTF-8, the transcripts' encoding.
void SetUtf8Console();

}  // namespace orvane::hostprog
