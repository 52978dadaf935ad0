# Named checks for the test scripts, sourced by tests/package/check.sh and
# tests/zarkswitch/under-wine.sh: each check prints its outcome, and checks_done ends the script
# with the tally.
failures=0

# check <what> <command...>: runs the command; it passes when the command succeeds.
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what" >&2; failures=$((failures + 1)); fi
}

# check_equal <what> <received> <expected>: passes when the two are equal; a failure shows both,
# control characters such as CR written out.
check_equal() {
    check "$1" test "$2" = "$3"
    if [ "$2" != "$3" ]; then printf '  expected: %q\n  received: %q\n' "$3" "$2" >&2; fi
}

# check_contains <what> <text> <part>: passes when the text holds the part; a failure shows the
# text.
check_contains() {
    local found=no
    if [[ "$2" == *"$3"* ]]; then found=yes; fi
    check "$1" test "$found" = yes
    if [ "$found" = no ]; then printf '  expected a part: %q\n  received: %q\n' "$3" "$2" >&2; fi
}

# checks_done <name>: prints how many checks of <name> failed; true when none did.
checks_done() {
    echo "$1: $failures failed"
    [ "$failures" -eq 0 ]
}
