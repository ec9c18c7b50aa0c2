# Two commands for a newcomer: `make demo` and `make test` (see README.md).
SHELL := /bin/bash
JOBS ?= $(shell nproc)

.PHONY: demo test deps build build-asan bench clean

deps:
	@missing=""; \
	for t in g++ cmake ninja; do command -v $$t >/dev/null || missing="$$missing $$t"; done; \
	[ -f /usr/include/gtest/gtest.h ] || missing="$$missing gtest"; \
	command -v tmux >/dev/null || missing="$$missing tmux"; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing build dependencies:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
	      g++ cmake ninja-build libgtest-dev libgmock-dev tmux >/dev/null; \
	  else \
	    echo "Missing:$$missing. Install them with:"; \
	    echo "  sudo apt-get install g++ cmake ninja-build libgtest-dev libgmock-dev tmux"; \
	    exit 1; \
	  fi; \
	fi

build: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build build -j $(JOBS)

build-asan: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQZ_SANITIZE=ON >/dev/null
	cmake --build build-asan -j $(JOBS)

# A fresh demonstration office in build/demo (old installation RUR_2018 with
# six firms, empty new installation RUR_2019) and a copy of the program beside
# it whose location file points there, so the wizard opens with both
# directories filled in (the program in build/ keeps no location file).
demo: build
	build/write_demo_office build/demo build/demo/qz18-19.PTH
	cp build/qz18-19 build/demo/qz18-19
	build/demo/qz18-19 "$(CURDIR)/build/demo/RUR_2019/"

test: build build-asan
	ctest --test-dir build --output-on-failure -j $(JOBS)
	ctest --test-dir build-asan --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQZ_BENCH=ON >/dev/null
	cmake --build build-bench -j $(JOBS)

clean:
	rm -rf build build-asan build-bench
