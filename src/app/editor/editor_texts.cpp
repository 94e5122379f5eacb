#include "app/editor/editor_texts.h"

namespace pax {

const std::vector<HelpList>& CommandHelpLists() {
    static const std::vector<HelpList> lists = {
        {"Basic Commands",
         {"F    draw a line one step forward",
          "G    as F, but adds no corner to a polygon",
          "f    jump one step forward (a corner in a polygon)",
          "g    jump one step forward, no corner",
          "+    turn left by the angle",
          "-    turn right by the angle",
          "&    pitch down by the angle",
          "^    pitch up by the angle",
          "\\    roll left by the angle",
          "/    roll right by the angle",
          "|    turn around (180 degrees)",
          "_    roll around (180 degrees)",
          "[    push the turtle: start a branch",
          "]    pop the turtle: end the branch",
          "{    begin a filled polygon",
          "}    close the polygon",
          ".    the current position becomes a corner",
          "*    jump back to the plant's start",
          "!    thickness - 1 (only above 1)",
          "?    thickness x 0.9 (only above 1)",
          "'    next colour of the palette",
          "`    previous colour of the palette",
          "(..) a comment: ignored when drawing",
          "n    a number before a command repeats it:",
          "     3+ turns three times, 12F draws 12 steps,",
          "     3A derives A three times"}},
        {"Shape Commands",
         {"~0   coordinate cross (red, green, blue)",
          "~1 .. ~3  sprite 1 .. 3 at its own size",
          "~4 .. ~9  sprite 4 .. 9, scaled",
          "~C ~c  cube, edge one / half a step",
          "~D ~d  disc",
          "~E ~e  ellipsoid",
          "~S ~s  sphere",
          "~X ~x  tube",
          "~O ~o  cone",
          "~Y ~y  cylinder",
          "~L   flower of five petals",
          "~l   star flower of five points",
          "upper case: the large shape,",
          "lower case: the small one"}},
        {"Increment/Decrement",
         {"<a   angle - 1          >a   angle + 1",
          "<A   angle x 0.9        >A   angle x 1.1",
          "<s   step - 1           >s   step + 1",
          "<S   step x 0.9         >S   step x 1.1",
          "<t   thickness - 1      >t   thickness + 1",
          "<T   thickness x 0.9    >T   thickness x 1.1",
          "<c   colour index - 1   >c   colour index + 1",
          "a number before < or > counts: 2<S is x 0.729",
          "",
          "Extented Commands",
          "$h   roll back to horizontal",
          "$^   heading straight up",
          "$&   heading straight down",
          "$*   jump back to the plant's start",
          "$_   roll around",
          "$|   turn around",
          "$l $r  jump left, right by the thickness",
          "$u $d  jump up, down by the thickness"}},
    };
    return lists;
}

const std::string& SyntaxHelpText() {
    static const std::string text =
        "An .LSY file is text: a header line, then any number of LSystem nodes.\n"
        "\n"
        "  file     = \"#VRML V1.0 ascii\" { comment } { node }\n"
        "  node     = \"LSystem\" \"{\" { field } \"}\"\n"
        "  field    = name | info | link | angle | segments | step | thickness\n"
        "           | factor | deep | colors | axiom | rules\n"
        "  name     = \"name\" text        (required)\n"
        "  info     = \"info\" text        a one-line description\n"
        "  link     = \"link\" text        a reference, e.g. a web address\n"
        "  angle    = \"angle\" number     turning angle in degrees (30)\n"
        "  segments = \"segments\" integer angle := 360 / segments (12: unchanged)\n"
        "  step     = \"step\" number      length of one step, 0.5 .. 2000 (100)\n"
        "  thickness= \"thickness\" number line width; above 1 draws tubes (1)\n"
        "  factor   = \"factor\" number    scale per generation (1)\n"
        "  deep     = \"deep\" integer     number of generations (3)\n"
        "  colors   = \"colors\" \"[\" { number } \"]\"   red, green, blue ...\n"
        "  axiom    = \"axiom\" text       the start word (required)\n"
        "  rules    = \"rules\" [ \"[\" ] text { [ \",\" ] text } [ \"]\" ]  (required)\n"
        "  text     = \"...\" | '...' | a word of letters and digits\n"
        "  comment  = \"#\" and the rest of the line\n"
        "\n"
        "A rule is the predecessor character, \":\" or \"=\", and the successor.\n"
        "Blanks and # comments inside a rule are removed before drawing.\n"
        "Several rules for one character are chosen among at random.\n"
        "\n"
        "Example:\n"
        "\n"
        "  #VRML V1.0 ascii\n"
        "  LSystem {                # the Koch snowflake\n"
        "    name  KochSnowflake\n"
        "    info  \"three Koch curves on a triangle\"\n"
        "    angle 60               # degrees\n"
        "    step  400              # the first side\n"
        "    factor 0.33333         # every generation a third as long\n"
        "    deep  4                # four generations\n"
        "    axiom \"F--F--F\"        # the triangle\n"
        "    rules [ \"F=F+F--F+F\" ] # each side becomes four\n"
        "  }\n";
    return text;
}

const std::string& AboutText() {
    static const std::string text =
        "Pax3d 0.1\n"
        "\n"
        "A 3D animation studio for Lindenmayer systems.\n"
        "\n"
        "Browse the built-in library and your own .LSY files on the \"select\" page, "
        "change a system on the \"edit\" page and watch the main window draw it, "
        "save it with \"Save...\" and load it again with \"Load File ...\".\n"
        "\n"
        "The picture opens an introduction to L-systems in the web browser.";
    return text;
}

}  // namespace pax
