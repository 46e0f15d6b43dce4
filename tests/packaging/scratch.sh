# Sourced by the checks: a scratch folder that goes away however the check ends, and fail, which
# ends it with a message.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "$*" >&2; exit 1; }
