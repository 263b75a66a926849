; boot.asm
; a boot sector

org 7c00h
; not bold
start proc near
    ret
start endp
