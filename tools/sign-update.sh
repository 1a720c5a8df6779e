#!/usr/bin/env bash
# Keys and signatures for updates (openssl; RSA-2048, PKCS#1 v1.5 over SHA-256).
#   sign-update.sh keygen DIR                        writes DIR/private.pem and DIR/public.pem
#   sign-update.sh sign PRIVATE firmware|tool VERSION FILE
#       prints the descriptor line "signature=<base64>" for FILE offered as VERSION
#       (major.mid.minor, e.g. 0.2.10 for firmware V2.10, 0.1.30 for a tool 1.30)
# The signed message is "quillmate-update\n" KIND "\n" VERSION "\n" followed by the file.
set -euo pipefail
case "${1:-}" in
keygen)
    [[ $# -eq 2 ]] || { echo "usage: sign-update.sh keygen DIR" >&2; exit 2; }
    mkdir -p "$2"
    openssl genrsa -out "$2/private.pem" 2048 2>/dev/null
    openssl rsa -in "$2/private.pem" -pubout -out "$2/public.pem" 2>/dev/null
    ;;
sign)
    [[ $# -eq 5 ]] || { echo "usage: sign-update.sh sign PRIVATE KIND VERSION FILE" >&2; exit 2; }
    [[ "$3" == firmware || "$3" == tool ]] || { echo "kind: firmware or tool" >&2; exit 2; }
    [[ "$4" =~ ^-?[0-9]+\.-?[0-9]+\.-?[0-9]+$ ]] || { echo "version: major.mid.minor" >&2; exit 2; }
    signature=$({ printf 'quillmate-update\n%s\n%s\n' "$3" "$4"; cat "$5"; } |
        openssl dgst -sha256 -sign "$2" | base64 -w0)
    echo "signature=$signature"
    ;;
*) echo "usage: sign-update.sh keygen DIR | sign PRIVATE KIND VERSION FILE" >&2; exit 2 ;;
esac
