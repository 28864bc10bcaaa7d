"""Checks that src/ keeps no mutable state at namespace scope or in function statics: every
variable declared there or declared static is const or constexpr. State has one owner that
passes it down. Prints each declaration that breaks the rule and exits 1 if any.
Usage: check_state.py SRC_DIR"""

import pathlib
import re
import sys

# Words that start a declaration which is no variable.
NOT_VARIABLES = re.compile(r"^(using|typedef|template|class|struct|enum|union|friend|namespace|"
                           r"static_assert|extern\s+\"C\"|Q_\w+|return)\b")
CONSTANT = re.compile(r"\b(const|constexpr|consteval)\b")


def code_of(text):
    """The text with comments, string and character literals blanked (lines kept)."""
    text = re.sub(r'R"(\w*)\((?:.|\n)*?\)\1"', lambda m: re.sub(r"[^\n]", " ", m.group(0)), text)
    pattern = re.compile(r'//[^\n]*|/\*(?:.|\n)*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'')
    return pattern.sub(lambda m: re.sub(r"[^\n]", " ", m.group(0)), text)


def statements(code):
    """Each statement ended by ';' with whether only namespaces enclose it, and its line."""
    kinds, start, line = [], 0, 1
    for i, c in enumerate(code):
        if c == "\n":
            line += 1
        if c == "{":
            head = code[start:i]
            kinds.append("namespace" if re.search(r"(\bnamespace\b[\w:\s]*|extern\s+\"?C?\"?\s*)$",
                                                  head.strip()) or head.strip().startswith("namespace")
                         else "block")
            start = i + 1
        elif c == "}":
            if kinds:
                kinds.pop()
            start = i + 1
        elif c == ";":
            yield code[start:i].strip(), all(k == "namespace" for k in kinds), line
            start = i + 1


def is_mutable_variable(statement):
    statement = re.sub(r"\s+", " ", statement)
    if not statement or statement.startswith("#") or NOT_VARIABLES.match(statement):
        return False
    if CONSTANT.search(statement.split("=")[0]):
        return False
    before_init = re.split(r"[={]", statement, maxsplit=1)[0]
    if "(" in before_init:  # a function's declaration, or a call
        return "=" in statement and "(" not in statement.split("=")[0]
    return bool(re.search(r"\w[\w:<>,\s*&]*\s[*&]*\w+(\[[^\]]*\])?$", before_init.strip()))


def problems(src):
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        code = code_of(path.read_text(encoding="utf-8"))
        for statement, at_namespace, line in statements(code):
            where = f"{path.relative_to(src)}:{line}"
            flat = re.sub(r"\s+", " ", statement)
            if at_namespace and is_mutable_variable(flat):
                yield f"{where}: mutable state at namespace scope: {flat}"
            for match in re.finditer(r"\bstatic\b(?!_)\s+([^;]*)", flat):
                declaration = match.group(1)
                if not CONSTANT.search(declaration.split("=")[0]) and is_mutable_variable(declaration):
                    yield f"{where}: mutable static: {flat}"


def main():
    found = list(problems(pathlib.Path(sys.argv[1])))
    for problem in found:
        print(problem)
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()
