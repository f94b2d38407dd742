#!/usr/bin/env bash
# veldmark.exe under Wine beside the Linux build: the sample batch released by
# each into the embedded database and into the test PostgreSQL server through
# ODBC, with the same command output, rows and log; then a Windows release
# killed part way and released again, which must end with every invoice once.
#
# Usage: veldmark_exe_test.sh <linux veldmark> <linux component> <veldmark.exe>
#        <Kessarin.dll> <examples folder> <work folder> <wine>
# <wine> is the Wine of the programs' bitness, run in the WINEPREFIX of the
# environment. The server is the one
# scripts/start-test-database describes in the environment; without it the
# test fails, unless VELDMARK_SKIP_ODBC_TESTS=1 asks to leave it out.
set -uo pipefail

linux_veldmark=$1 linux_component=$2 windows_veldmark=$3 windows_component=$4 examples=$5 work=$6 wine=$7
failures=0

fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# Runs a veldmark in a folder, with the output, its line ends made Unix ones,
# in <folder>/<name>.out and the exit code in <folder>/<name>.rc.
run_linux() {
  local folder=$1 name=$2
  shift 2
  (cd "$folder" && VELDMARK_REGISTRY="$work/linux/registry.json" LSAN_OPTIONS="suppressions=$work/lsan.supp:print_suppressions=0" \
    timeout 300 "$linux_veldmark" "$@" >"$name.out" 2>&1)
  echo $? >"$folder/$name.rc"
}
run_windows() {
  local folder=$1 name=$2
  shift 2
  (cd "$folder" && timeout 300 "$wine" "$windows_veldmark" "$@" </dev/null >"$name.raw" 2>&1)
  echo $? >"$folder/$name.rc"
  tr -d '\r' <"$folder/$name.raw" >"$folder/$name.out"
}

# The run's time and identity differ from run to run.
normalise_log() {
  sed -E -e 's/^Run [0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9:]+Z:/Run <time>:/' -e 's/\(run [0-9A-Za-z-]+\)/(run <id>)/' "$1"
}

same() {
  local what=$1 linux=$2 windows=$3
  if ! diff -u "$linux" "$windows" >"$work/diff.txt"; then
    fail "$what differs between the Linux build and veldmark.exe:"
    cat "$work/diff.txt" >&2
  fi
}

expect_code() {
  local what=$1 file=$2 expected=$3
  local code
  code=$(cat "$file")
  [ "$code" = "$expected" ] || fail "$what exited with $code, not $expected: $(cat "${file%.rc}.out")"
}

for built in "$linux_veldmark" "$linux_component"; do
  [ -e "$built" ] || { echo "FAILED: no Linux build to compare with: $built is missing (cmake --build --preset debug)" >&2; exit 1; }
done
rm -rf "$work"
mkdir -p "$work/linux" "$work/windows"
# The PostgreSQL driver's own leaks are not the release's (the Linux build has the leak checker).
printf 'leak:psqlodbcw.so\nleak:libcrypto.so\n' >"$work/lsan.supp"
for side in linux windows; do cp "$examples/supplier-invoice.json" "$examples/invoice-batch.json" "$work/$side/"; done

echo "== registration"
run_linux "$work/linux" register register "$linux_component"
expect_code "Linux register" "$work/linux/register.rc" 0
run_windows "$work/windows" register register "$windows_component"
expect_code "veldmark.exe register" "$work/windows/register.rc" 0
grep -q '^Registered .*Kessarin.dll in HKEY_CLASSES_ROOT$' "$work/windows/register.out" ||
  fail "veldmark.exe register said: $(cat "$work/windows/register.out")"

echo "== the sample batch into the embedded database"
for side in linux windows; do
  "run_$side" "$work/$side" create create-database demo-output/db APLIB
  "run_$side" "$work/$side" check check supplier-invoice.json
  "run_$side" "$work/$side" release release supplier-invoice.json invoice-batch.json
  "run_$side" "$work/$side" show show demo-output/db APLIB
  "run_$side" "$work/$side" log log supplier-invoice.json
  normalise_log "$work/$side/log.out" >"$work/$side/log.normalised"
done
expect_code "veldmark.exe release" "$work/windows/release.rc" 1
for step in create check release show; do
  same "$step: the output" "$work/linux/$step.out" "$work/windows/$step.out"
  same "$step: the exit code" "$work/linux/$step.rc" "$work/windows/$step.rc"
done
same "log" "$work/linux/log.normalised" "$work/windows/log.normalised"
grep -q '^4 released, 1 failed$' "$work/windows/release.out" || fail "the release said: $(cat "$work/windows/release.out")"

echo "== the sample batch into PostgreSQL through ODBC"
if [ "${VELDMARK_SKIP_ODBC_TESTS:-}" = 1 ]; then
  echo "left out: VELDMARK_SKIP_ODBC_TESTS=1"
elif [ -z "${VELDMARK_TEST_ODBC_DSN:-}" ]; then
  fail "no test server: start it with eval \"\$(scripts/start-test-database)\", or set VELDMARK_SKIP_ODBC_TESTS=1"
else
  dsn=$VELDMARK_TEST_ODBC_DSN user=$VELDMARK_TEST_ODBC_USER password=$VELDMARK_TEST_ODBC_PASSWORD
  schema=$VELDMARK_TEST_ODBC_SCHEMA
  sql() { isql -b -d'|' "$dsn" "$user" "$password"; }
  rows() {
    {
      echo "SELECT * FROM $schema.AIP32 ORDER BY $(seq -s, 1 56)"
      echo "SELECT * FROM $schema.AIP33 ORDER BY $(seq -s, 1 40)"
    } | sql
  }
  for side in linux windows; do
    mkdir -p "$work/$side/pg"
    cp "$examples/invoice-batch.json" "$work/$side/pg/"
    sed -e "s#\"sqlite:demo-output/db\"#\"$dsn\"#g" -e "s#\"APLIB\"#\"$schema\"#g" \
      -e "s#{\"source\": \"\", \"sourceType\": 1, \"destination\": \"username\"}#{\"source\": \"$user\", \"sourceType\": 1, \"destination\": \"username\"}#" \
      -e "s#{\"source\": \"\", \"sourceType\": 1, \"destination\": \"password\"}#{\"source\": \"$password\", \"sourceType\": 1, \"destination\": \"password\"}#" \
      "$examples/supplier-invoice.json" >"$work/$side/pg/supplier-invoice.json"
    printf 'DELETE FROM %s.AIP33\nDELETE FROM %s.AIP32\n' "$schema" "$schema" | sql >/dev/null ||
      fail "the test server's interface files cannot be emptied"
    "run_$side" "$work/$side/pg" check check supplier-invoice.json
    "run_$side" "$work/$side/pg" release release supplier-invoice.json invoice-batch.json
    "run_$side" "$work/$side/pg" log log supplier-invoice.json
    normalise_log "$work/$side/pg/log.out" >"$work/$side/pg/log.normalised"
    rows >"$work/$side/pg/rows.out" || fail "the rows cannot be read from the test server"
  done
  for step in check release rows; do
    same "PostgreSQL $step: the output" "$work/linux/pg/$step.out" "$work/windows/pg/$step.out"
  done
  same "PostgreSQL release: the exit code" "$work/linux/pg/release.rc" "$work/windows/pg/release.rc"
  same "PostgreSQL log" "$work/linux/pg/log.normalised" "$work/windows/pg/log.normalised"
  [ "$(grep -c 'Brinmoor\|Arden' "$work/windows/pg/rows.out")" -ge 2 ] || fail "the rows in PostgreSQL: $(cat "$work/windows/pg/rows.out")"
  printf 'DELETE FROM %s.AIP33\nDELETE FROM %s.AIP32\n' "$schema" "$schema" | sql >/dev/null
fi

echo "== a Windows release killed part way, then released again"
kill_dir=$work/windows/kill
mkdir -p "$kill_dir"
cp "$examples/supplier-invoice.json" "$kill_dir/"
invoices=400
{
  printf '{\n  "formatVersion": 1,\n  "batchName": "KILL-1",\n  "batchFields": {"OriginalFolder": "scans", "OriginalFileNameExt": "tif"},\n  "documents": [\n'
  for id in $(seq 1 $invoices); do
    [ "$id" -gt 1 ] && printf ',\n'
    printf '    {"documentId": %d, "pdfFileName": "K%04d.pdf",\n' "$id" "$id"
    printf '     "indexFields": {"Invoice Number": "K%04d", "Supplier Account": "01KILL001", "Supplier Name": "Kill Test Ltd", "Invoice Date": "1260302", "Currency": "GBP"},\n' "$id"
    printf '     "tables": {"Lines": [{"Item Code": "A1", "Description": "first", "Quantity": "1", "VAT Code": "S", "Unit Price": "1.00", "Line Value": "1.00"},\n\n'
    printf '                          {"Item Code": "B2", "Description": "second", "Quantity": "2", "VAT Code": "S", "Unit Price": "2.00", "Line Value": "4.00"}]},\n'
    printf '     "hostValues": {"First Page Original File Name": "K%04d.tif"}}' "$id"
  done
  printf '\n  ]\n}\n'
} >"$kill_dir/kill-batch.json"
run_windows "$kill_dir" create create-database demo-output/db APLIB
(cd "$kill_dir" && exec timeout 300 "$wine" "$windows_veldmark" release supplier-invoice.json kill-batch.json \
  </dev/null >killed.raw 2>&1) &
release_pid=$!
log=$kill_dir/supplier-invoice.log.jsonl
for _ in $(seq 1 3000); do
  [ "$(grep -c '"kind":"outcome"' "$log" 2>/dev/null)" -ge 5 ] && break
  kill -0 "$release_pid" 2>/dev/null || break
  sleep 0.02
done
# The whole process tree: timeout and the Windows process under it.
pkill -KILL -P "$release_pid" 2>/dev/null
kill -KILL "$release_pid" 2>/dev/null
wait "$release_pid" 2>/dev/null
done_before=$(grep -c '"kind":"outcome"' "$log")
echo "killed after $done_before documents"
[ "$done_before" -lt "$invoices" ] || fail "the release ended before it was killed"
run_windows "$kill_dir" again release supplier-invoice.json kill-batch.json
expect_code "the release after the kill" "$kill_dir/again.rc" 0
already=$(grep -c ': already released$' "$kill_dir/again.out")
[ "$already" -ge 5 ] || fail "the release after the kill found $already documents already released: $(cat "$kill_dir/again.out")"
run_windows "$kill_dir" show show demo-output/db APLIB
grep -o 'INVN32=K[0-9]*' "$kill_dir/show.out" | sort >"$kill_dir/headers"
[ "$(wc -l <"$kill_dir/headers")" -eq "$invoices" ] || fail "AIP32 holds $(wc -l <"$kill_dir/headers") headers, not $invoices"
[ -z "$(uniq -d "$kill_dir/headers")" ] || fail "invoices written twice: $(uniq -d "$kill_dir/headers")"
[ "$(grep -c 'INVN33=K' "$kill_dir/show.out")" -eq $((2 * invoices)) ] || fail "AIP33 does not hold two lines per invoice"

echo "== unregistration"
run_windows "$work/windows" unregister unregister
expect_code "veldmark.exe unregister" "$work/windows/unregister.rc" 0
run_windows "$work/windows" unregistered release supplier-invoice.json invoice-batch.json
grep -q 'cannot be created' "$work/windows/unregistered.out" ||
  fail "a release without the component said: $(cat "$work/windows/unregistered.out")"

if [ "$failures" -gt 0 ]; then
  echo "$failures checks failed" >&2
  exit 1
fi
echo "every check passed"
