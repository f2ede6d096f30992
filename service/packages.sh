# The Debian packages the ranking service needs, and nothing of the game's: its FTP front end and
# web server, and what builds its keeper program. Sourced by service/run.
RANKING_SERVICE_PACKAGES=(
  python3 python3-pyftpdlib lighttpd
  build-essential cmake pkg-config qt6-base-dev libgl-dev
)
