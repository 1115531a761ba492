#!/bin/sh
# Wine's browser redirection runs this with the address the shell was asked
# to open; the end-to-end tests read the addresses back from "<this>.captured".
printf '%s\n' "$1" >> "$0.captured"
