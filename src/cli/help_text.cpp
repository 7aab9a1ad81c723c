#include "cli/help_text.h"

#include "kelvane/version.h"

namespace kelvane::cli {

std::string HelpText() {
  return std::string(
      "Usage: kelvane-sort [OPTIONS] FILE...\n"
      "Sort the part lines (first non-blank character \"1\") of LDraw model files among their\n"
      "own positions and write each file back. \"0 BFC INVERTNEXT\", \"0 MLCAD BTG\" and\n"
      "\"0 !LEOCAD PIECE\" move with the part line after them; every other line keeps its\n"
      "order. No part moves across a model (\"0 FILE\"), a bracket (\"0 !LPUB PLI BEGIN\",\n"
      "\"0 !LEOCAD GROUP END\", \"0 MLCAD SKIP_BEGIN\", ...) or, with --steps, a step.\n"
      "\n"
      "  --by coordinates|part|color   what to sort by (default coordinates)\n"
      "  --order AXES                  first, second and third coordinate key: x, y and z\n"
      "                                in any order, e.g. yzx (default yzx)\n"
      "  --x ascending|descending      (default ascending: smallest x first)\n"
      "  --y ascending|descending      (default descending)\n"
      "  --z ascending|descending      (default descending)\n"
      "  --part ascending|descending   (default ascending)\n"
      "  --color ascending|descending  (default ascending)\n"
      "  --steps, --no-steps           sort each step (\"0 STEP\", \"0 ROTSTEP\") on its own\n"
      "                                (default --steps); the models of a multi-model file\n"
      "                                are always sorted separately\n"
      "  --lines RANGES                take part only with these 1-based line numbers,\n"
      "                                e.g. 3-40,52; lines there that are no part lines\n"
      "                                stay out (default: every part line);\n"
      "                                several --lines add up\n"
      "  --backup, --no-backup         keep the old file as its \".bak\" name when FILE is\n"
      "                                overwritten (default --backup)\n"
      "  -o, --output PATH             write the result to PATH (\"-\" = standard output)\n"
      "                                instead of overwriting FILE; one FILE only; no backup\n"
      "  --check                       write nothing; print the name of each FILE that\n"
      "                                sorting would change\n"
      "  --eol crlf|lf                 what ends every written line (default crlf)\n"
      "  --any-name                    also sort FILEs whose names do not end in .dat, .ldr\n"
      "                                or .mpd (any case); without it they are refused\n"
      "  -v, --verbose                 tell on standard error, for each FILE, how many part\n"
      "                                lines moved, or that it is unchanged\n"
      "  -h, --help                    show this help and exit\n"
      "      --version                 show the version and exit\n"
      "  --                            end of options: the arguments after it are FILEs\n"
      "\n"
      "A FILE \"-\" is standard input, sorted to standard output unless -o names a file; it\n"
      "may be given once (a file of that name is ./-). A FILE in which no part line moves is\n"
      "left exactly as it is: not written, no backup, even if its line ends differ. The others\n"
      "are written with every byte of every line kept, through a temporary file in the same\n"
      "folder that replaces the old one only once it is complete.\n"
      "\n"
      "Exit status: 0 when every FILE was done (with --check: none would change), 1 when a\n"
      "FILE was refused or could not be read or written (the other FILEs are still done) or,\n"
      "with --check, would change, 2 for a usage error (nothing is read or written).\n");
}

std::string VersionText() { return std::string(kProgramName) + " " + kVersionText + "\n"; }

}  // namespace kelvane::cli
