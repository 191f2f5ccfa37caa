# phase-time.sh: wall and CPU seconds of each phase of a run; sourced by setup.sh and test.sh.
#
# zq_phase_begin starts a phase; zq_phase_end NAME appends "NAME  W s wall, C s CPU" to
# $ZQ_PHASE_FILE (when set) and prints it. CPU is user+sys of every child process the shell has
# waited for (the kernel sums each one's own waited children into it), read with the `times`
# builtin so that no extra process skews it.

ZQ_PHASE_WALL=0
ZQ_PHASE_CPU=0

# Sets ZQ_CHILDREN_CPU to the children's user+sys seconds of this very shell (a command
# substitution would be a new process with children of its own).
zq_children_cpu() {
    local lines file="${TMPDIR:-/tmp}/zq-times.$BASHPID"
    times >"$file"
    mapfile -t lines <"$file"
    rm -f "$file"
    local re='([0-9]+)m([0-9]+)[.]([0-9]+)s ([0-9]+)m([0-9]+)[.]([0-9]+)s'
    ZQ_CHILDREN_CPU=0
    [[ ${lines[1]} =~ $re ]] || return 0
    # Milliseconds, so that bash's integer arithmetic does the sum.
    ZQ_CHILDREN_CPU=$(( (BASH_REMATCH[1] + BASH_REMATCH[4]) * 60000 + (10#${BASH_REMATCH[2]} + 10#${BASH_REMATCH[5]}) * 1000
                        + 10#${BASH_REMATCH[3]} + 10#${BASH_REMATCH[6]} ))
}

zq_phase_begin() {
    ZQ_PHASE_WALL=$SECONDS
    zq_children_cpu
    ZQ_PHASE_CPU=$ZQ_CHILDREN_CPU
}

# zq_phase_end NAME: records the phase begun last.
zq_phase_end() {
    local line cpu
    zq_children_cpu
    cpu=$((ZQ_CHILDREN_CPU - ZQ_PHASE_CPU))
    printf -v line 'phase %-14s %5d s wall %5d.%d s CPU' "$1" $((SECONDS - ZQ_PHASE_WALL)) \
        $((cpu / 1000)) $((cpu % 1000 / 100))
    echo "$line"
    [[ -z "${ZQ_PHASE_FILE:-}" ]] || echo "$line" >>"$ZQ_PHASE_FILE"
}
