#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, starts the sandbox back
# office on a free loopback port, and opens Korvel Móvil against it in a demo
# profile with its own documents folder (a real configuration is never
# touched). Closing the app stops the sandbox.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"
build="${KORVEL_BUILD_DIR:-$root/build}"

profile="${KORVEL_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/KorvelMovil/demo}"
documents="$profile/documentos"
mkdir -p "$documents"

log="$profile/sandbox.log"
"$build/server/korvel-sandbox" --port 0 --db "$profile/sandbox.db" > "$log" 2>&1 &
sandbox=$!
trap 'kill "$sandbox" 2>/dev/null || true' EXIT
url=""
for _ in $(seq 1 100); do
  url="$(sed -n 's/^listening on //p' "$log" | head -n 1)"
  [ -n "$url" ] && break
  kill -0 "$sandbox" 2>/dev/null || { cat "$log"; exit 1; }
  sleep 0.1
done
[ -n "$url" ] || { echo "the sandbox did not start"; cat "$log"; exit 1; }

# Point the demo profile at this run's sandbox (only the address key changes).
ini="$documents/ZFKorvel.ini"
if [ -f "$ini" ] && grep -q '^WSDL=' "$ini"; then
  sed -i "s#^WSDL=.*#WSDL=$url\r#" "$ini"
else
  printf '[AppMovil]\r\nWSDL=%s\r\n' "$url" > "$ini"
fi

cat <<MSG
Sandbox back office: $url
Demo users (user / password):
  demo / demo              every module
  vendedor / vende123      seller: products, clients, collections, orders, purchase history (no invoicing)
  chofer / ruta123         driver: deliveries only
  gerente / gerente123     manager: products, clients, orders, statistics, purchase history,
                           price authorization, sale review
  almacen / conteo123      warehouse: products and inventory counts
Press "Ingresar", choose a company, and sign in.
MSG

app=("$build/app/korvel-movil" --documents "$documents")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running in a virtual one (xvfb-run)."
  xvfb-run -a -s "-screen 0 481x1200x24" "${app[@]}"
else
  "${app[@]}"
fi
