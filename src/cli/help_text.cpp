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
      "  -h, --help                    show this help and exit\n"
      "      --version                 show the version and exit\n"
      "  --                            end of options: the arguments after it are FILEs\n"
      "\n"
      "Files are written with CR LF after every line, every byte of every line kept, through a\n"
      "temporary file in the same folder that replaces the old one only once it is complete.\n"
      "\n"
      "Exit status: 0 when every FILE was sorted and written, 1 when a FILE could not be read\n"
      "or written (the other FILEs are still done), 2 for a usage error (nothing is written).\n");
}

std::string VersionText() { return std::string(kProgramName) + " " + kVersionText + "\n"; }

}  // namespace kelvane::cli
