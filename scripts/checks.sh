# Sourced by the check-*.sh scripts: named checks that count passes and failures.
passed=0
failed=0

# check WHAT COMMAND...: runs COMMAND; names WHAT when it fails.
check() {
  local what="$1"
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    echo "FAIL: $what"
    failed=$((failed + 1))
  fi
}

# Prints the counts; fails when a check failed.
checks_summary() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
