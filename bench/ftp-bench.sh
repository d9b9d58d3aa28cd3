#!/usr/bin/env bash
# Times tessarine's FTP transfers against curl's on a loopback pyftpdlib server:
#   200 files of 2 KB: tessarine --upload (one connection), curl -T "{...}" (one
#   invocation, one connection) and curl once per file (a connection each);
#   one 100 MB file: tessarine --download against curl -o, with peak memory.
# Usage: bench/ftp-bench.sh [BUILD_DIR] [RUNS]   (best of RUNS, default 3)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-3}
tessarine=$build/tessarine
python=/usr/bin/python3
[ -x "$python" ] || python=python3

work=$(mktemp -d)
server_pid=
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/root/www" "$work/Site"
"$python" tests/app/ftp_server.py --root "$work/root" >"$work/port" 2>"$work/server.log" &
server_pid=$!
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
port=$(head -1 "$work/port")
url=ftp://user@127.0.0.1:$port
export TESSARINE_FTP_PASSWORD=secret

# The project: 200 entries of 2 KB each.
entries=""
names=()
for i in $(seq -w 1 200); do
    head -c 2048 /dev/urandom >"$work/Site/page$i.wml"
    entries+="page$i.wml"$'\r\n<br/>\r\n'
    names+=("$work/Site/page$i.wml")
done
printf '<Site>\n<br/>\r\n%s</Site>' "$entries" >"$work/Site/Site.wpg"
list=$(IFS=,; echo "${names[*]}")
head -c $((100 * 1024 * 1024)) /dev/urandom >"$work/root/www/big.bin"
mkdir -p "$work/root/big" && mv "$work/root/www/big.bin" "$work/root/big/"

# Best wall time and its peak resident size (KiB) of RUNS runs of a command.
best() {
    local best_time="" best_mem="" t m
    for _ in $(seq "$runs"); do
        rm -rf "$work/root/www/Site" "$work/root/www/curl" "$work/got"
        /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/err" \
            || { cat "$work/err" >&2; exit 1; }
        read -r t m <"$work/time"
        if [ -z "$best_time" ] || awk "BEGIN{exit !($t < $best_time)}"; then
            best_time=$t
            best_mem=$m
        fi
    done
    echo "$best_time $best_mem"
}

per_file() {
    for f in "${names[@]}"; do
        curl -s -u user:secret --ftp-create-dirs -T "$f" "ftp://127.0.0.1:$port/www/curl/"
    done
}

read -r up_t up_m < <(best "$tessarine" --upload "$work/Site/Site.wpg" "$url/www")
read -r curl_t curl_m < <(best curl -s -u user:secret --ftp-create-dirs -T "{$list}" \
    "ftp://127.0.0.1:$port/www/curl/")
read -r each_t _ < <(best bash -c "$(declare -f per_file); names=(${names[*]}); \
    port=$port; per_file")
read -r down_t down_m < <(best "$tessarine" --download "$url/big" "$work/got")
read -r curld_t curld_m < <(best curl -s -u user:secret -o "$work/got/big.bin" --create-dirs \
    "ftp://127.0.0.1:$port/big/big.bin")

ratio() { awk "BEGIN{printf \"%.2f\", $1 / $2}"; }
echo "200 x 2 KB upload: tessarine $up_t s, curl one connection $curl_t s," \
     "curl a connection per file $each_t s"
echo "  tessarine / curl one connection: $(ratio "$up_t" "$curl_t")x;" \
     "curl per file / curl one connection: $(ratio "$each_t" "$curl_t")x"
echo "100 MB download: tessarine $down_t s ${down_m} KiB, curl $curld_t s ${curld_m} KiB"
echo "  time $(ratio "$down_t" "$curld_t")x, peak memory $(ratio "$down_m" "$curld_m")x"
