! Reading a float64 matrix in Fortran order from a NumPy .npy file (version 1.0), as bem_host
! writes rigidez.
module npy_read
  use, intrinsic :: iso_fortran_env, only: int8
  use, intrinsic :: iso_c_binding, only: c_double
  implicit none
  private
  public :: read_npy_matrix

contains

  ! ok is false when the file cannot be read, is not such a matrix or is not rows x cols.
  subroutine read_npy_matrix(path, rows, cols, matrix, ok)
    character(len=*), intent(in) :: path
    integer, intent(in) :: rows, cols
    real(c_double), intent(out) :: matrix(rows, cols)
    logical, intent(out) :: ok
    character(len=10) :: preamble
    character(len=:), allocatable :: header
    character(len=32) :: shape
    integer :: unit, status, header_length

    ok = .false.
    open(newunit=unit, file=path, access='stream', form='unformatted', status='old', &
        action='read', iostat=status)
    if (status /= 0) return
    read(unit, iostat=status) preamble
    if (status /= 0 .or. preamble(1:6) /= char(147) // 'NUMPY' .or. ichar(preamble(7:7)) /= 1) then
      close(unit)
      return
    end if
    header_length = ichar(preamble(9:9)) + 256 * ichar(preamble(10:10))
    allocate(character(len=header_length) :: header)
    read(unit, iostat=status) header
    write(shape, '(a,i0,a,i0,a)') "'shape': (", rows, ', ', cols, ')'
    if (status == 0 .and. index(header, "'descr': '<f8'") > 0 .and. &
        index(header, "'fortran_order': True") > 0 .and. index(header, trim(shape)) > 0) then
      read(unit, iostat=status) matrix
      ok = status == 0
    end if
    close(unit)
  end subroutine read_npy_matrix

end module npy_read
