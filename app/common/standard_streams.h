// The standard streams as the process was given them: a terminal, or a file or pipe.
#pragma once

// Whether the descriptor (0 for standard input, 1 for standard output) is a terminal.
bool IsTerminal(int descriptor);

// When standard output is a file or a pipe, it is written a mebibyte at a time: a transcript
// of a million rows is a gigabyte, and written a buffer of a few kilobytes at a time, each
// write ending inside a page, the kernel's zeroing of the pages costs more than the writing.
// A terminal keeps its buffering. To be called before anything is written.
void BufferStandardOutput();
