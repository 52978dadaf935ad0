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

# checks_done <name>: prints how many checks of <name> failed; true when none did.
checks_done() {
    echo "$1: $failures failed"
    [ "$failures" -eq 0 ]
}
