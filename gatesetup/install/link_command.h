// Splitting a shortcut's command line into the program and its arguments.
#pragma once

// Cuts command in place at the first space outside double quotes, so that
// command keeps the program, and returns the text after that space (the
// arguments); null when there is no such space. Quotes stay in both parts.
char* SplitLinkCommand(char* command);
