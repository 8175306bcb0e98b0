# Shortcuts for ./dev (which works without make on a fresh machine).
.PHONY: run test build
run:
	./dev run
test:
	./dev test
build:
	./dev build
