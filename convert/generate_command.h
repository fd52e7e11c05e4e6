// What a click on the generate button does.
#pragma once

// Reads the share link and the extension from the main window, converts, keeps
// the results in the program-wide variables, puts the direct link on the
// clipboard and says so in a message box (or refuses a text without the share
// host, or says that the clipboard did not take the link).
void generate_direct_link();
