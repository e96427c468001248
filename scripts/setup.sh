#!/usr/bin/env bash
# First run on a Debian 12 machine: installs the packages, builds Vorinda,
# prepares the data folder (a demo database and a terminal configuration,
# each only where none exists yet) and starts the program.
#   VORINDA_DIR  data folder (default ~/vorinda)
#   --no-start   prepare everything but do not start the program
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VORINDA_BUILD:-$root/build}"
data="${VORINDA_DIR:-$HOME/vorinda}"
start=1
[ "${1:-}" = "--no-start" ] && start=0

. "$root/scripts/packages.sh"
vorinda_install_packages "${VORINDA_BUILD_PACKAGES[@]}"

cmake -S "$root" -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target vorinda -j"${JOBS:-$(nproc)}"
vorinda="$build/app/vorinda"

mkdir -p "$data"
database="$data/movimento.fdb"
if [ -e "$database" ]; then
    echo "Banco de dados mantido: $database"
else
    "$vorinda" --create-database "$database" --demo
fi

config="$data/configuracao.ini"
if [ -e "$config" ]; then
    echo "Configuração mantida: $config"
else
    # Eight lines, Latin-1, CR LF: the management console, from which the
    # counters open. Printing route 2 ("Nenhum"): a newcomer's
    # machine prints nothing until a printer is chosen in the editor.
    if ! printf '%s\r\n' "CONFIGURADO=TRUE" "PATH=$database" "CAIXA=1" "COLUNA=1" "LINHA=5" \
        "IMPRESSAO=2" "MODO=GERENCIA" "QUANTIDADE=false" | iconv -f UTF-8 -t LATIN1 > "$config.new"; then
        rm -f "$config.new"
        echo "O caminho $database não cabe no arquivo de configuração (Latin-1): use outra pasta em VORINDA_DIR." >&2
        exit 1
    fi
    mv "$config.new" "$config"
    echo "Configuração criada: $config"
fi

if [ "$start" -eq 0 ]; then
    echo "Pronto. Para abrir: VORINDA_DIR=\"$data\" \"$vorinda\""
elif [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Sem tela gráfica nesta sessão. Para abrir numa sessão gráfica: VORINDA_DIR=\"$data\" \"$vorinda\""
else
    VORINDA_DIR="$data" exec "$vorinda"
fi
