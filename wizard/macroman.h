#pragma once

namespace kobalin {

// Mac Roman, the code page in which spreadsheets on a Mac save "CSV
// (Macintosh)", with CR line ends. Read only: layer files are written in
// Windows-1252.
char16_t fromMacRoman(unsigned char byte);

}  // namespace kobalin
